#include "catalogue/catalogue_session.h"

#include "catalogue/catalogue_client.h"

#include <mutex>
#include <utility>

namespace velnor {

CatalogueClient& catalogueClient() {
    static CatalogueClient client;
    return client;
}

void initCatalogueLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mysql_library_init(0, nullptr, nullptr); });
}

CatalogueThreadScope::CatalogueThreadScope() {
    // The library must be set up before any thread registers with it.
    initCatalogueLibrary();
    mysql_thread_init();
}

CatalogueThreadScope::~CatalogueThreadScope() {
    mysql_thread_end();
}

// ---- RecordSet

RecordSet::RecordSet(RecordSet&& other) noexcept : m_result(std::exchange(other.m_result, nullptr)) {}

RecordSet& RecordSet::operator=(RecordSet&& other) noexcept {
    if (this != &other) {
        free();
        m_result = std::exchange(other.m_result, nullptr);
    }
    return *this;
}

RecordSet::~RecordSet() {
    free();
}

void RecordSet::first() {
    if (m_result)
        catalogueClient().dataSeek(m_result, 0);
}

uint64_t RecordSet::rowCount() const {
    return m_result ? catalogueClient().numRows(m_result) : 0;
}

bool RecordSet::readText(QByteArrayView column, QByteArray& target) {
    if (!m_result)
        return false;
    const CatalogueClient& c = catalogueClient();

    const unsigned int fieldCount = c.numFields(m_result);
    const MYSQL_FIELD* fields = c.fetchFields(m_result);
    unsigned int index = fieldCount;
    for (unsigned int i = 0; i < fieldCount; ++i) {
        if (QByteArrayView(fields[i].name, fields[i].name_length) == column) {
            index = i;
            break;
        }
    }
    if (index == fieldCount)
        return false;

    const MYSQL_ROW_OFFSET cursor = c.rowTell(m_result);
    MYSQL_ROW row = c.fetchRow(m_result);
    if (!row) {
        // Past the end: the last row stands in.
        const uint64_t count = c.numRows(m_result);
        if (count > 0) {
            c.dataSeek(m_result, count - 1);
            row = c.fetchRow(m_result);
        }
        if (!row) {
            c.rowSeek(m_result, cursor);
            return false;
        }
    }
    const unsigned long* lengths = c.fetchLengths(m_result);
    c.rowSeek(m_result, cursor);

    const char* value = row[index];
    if (!value) {
        target = QByteArray();
        return true;
    }
    const unsigned long length = lengths ? lengths[index] : 0;
    target = QByteArray(value, static_cast<qsizetype>(qstrnlen(value, length)));
    return true;
}

bool RecordSet::next() {
    return m_result && catalogueClient().fetchRow(m_result) != nullptr;
}

void RecordSet::free() {
    if (m_result)
        catalogueClient().freeResult(std::exchange(m_result, nullptr));
}

// ---- CatalogueSession

CatalogueSession::CatalogueSession(CatalogueSession&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)) {}

CatalogueSession& CatalogueSession::operator=(CatalogueSession&& other) noexcept {
    if (this != &other) {
        close();
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

CatalogueSession::~CatalogueSession() {
    close();
}

namespace {
const char* orAbsent(const QByteArray& text) {
    return text.isEmpty() ? nullptr : text.constData();
}
} // namespace

CatalogueSession CatalogueSession::open(const ConnectionSettings& settings, const char* database) {
    initCatalogueLibrary();
    const CatalogueClient& c = catalogueClient();
    CatalogueSession session;
    MYSQL* handle = c.init(nullptr);
    if (!handle)
        return session;
    // The catalogue is GBK: with the connection in gbk, statement and value bytes pass unchanged and
    // escaping knows GBK's two-byte characters (a trail byte may be 0x5C).
    c.options(handle, MYSQL_SET_CHARSET_NAME, "gbk");
    if (!c.realConnect(handle, orAbsent(settings.host), orAbsent(settings.account), orAbsent(settings.password),
                       database, static_cast<unsigned int>(settings.port), nullptr, 0)) {
        c.close(handle);
        return session;
    }
    session.m_handle = handle;
    return session;
}

QByteArray CatalogueSession::escape(QByteArrayView value) const {
    if (!m_handle)
        return value.toByteArray();
    QByteArray escaped(value.size() * 2 + 1, Qt::Uninitialized);
    const unsigned long length = catalogueClient().realEscapeString(m_handle, escaped.data(), value.data(),
                                                                    static_cast<unsigned long>(value.size()));
    if (length == static_cast<unsigned long>(-1))
        return {};
    escaped.truncate(static_cast<qsizetype>(length));
    return escaped;
}

bool CatalogueSession::run(QByteArrayView statement) {
    if (!m_handle)
        return false;
    return catalogueClient().realQuery(m_handle, statement.data(), static_cast<unsigned long>(statement.size())) == 0;
}

RecordSet CatalogueSession::takeRecordSet() {
    if (!m_handle)
        return {};
    return RecordSet(catalogueClient().storeResult(m_handle));
}

void CatalogueSession::close() {
    if (m_handle)
        catalogueClient().close(std::exchange(m_handle, nullptr));
}

} // namespace velnor
