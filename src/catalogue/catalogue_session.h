#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

typedef struct st_mysql MYSQL;
typedef struct st_mysql_res MYSQL_RES;

namespace velnor {

// Taken from the hidden settings page at the start of every load.
struct ConnectionSettings {
    QByteArray host;     // empty: passed as absent (local server)
    QByteArray account;  // empty: absent
    QByteArray password; // empty: absent
    int32_t port = 0;    // 0: the client library's default port
};

inline constexpr const char* kCatalogueDatabase = "zel_k";

// Once per process, before the first worker thread opens a session. Safe to call repeatedly.
void initCatalogueLibrary();

// Registers the current thread with the client library for its lifetime (mysql_thread_init / _end).
class CatalogueThreadScope {
public:
    CatalogueThreadScope();
    ~CatalogueThreadScope();
    CatalogueThreadScope(const CatalogueThreadScope&) = delete;
    CatalogueThreadScope& operator=(const CatalogueThreadScope&) = delete;
};

// The stored result of one statement. Owned by the thread of its session; freed before the session closes.
// Every operation on an absent result does nothing.
class RecordSet {
public:
    RecordSet() = default;
    explicit RecordSet(MYSQL_RES* result) : m_result(result) {}
    RecordSet(RecordSet&& other) noexcept;
    RecordSet& operator=(RecordSet&& other) noexcept;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;
    ~RecordSet();

    bool isValid() const { return m_result != nullptr; }
    void first();
    uint64_t rowCount() const;
    // Copies the named column (matched byte for byte, first match) of the current row into target;
    // past the end reads the last row; NULL gives empty text; a NUL byte cuts the value. Never moves the cursor.
    bool readText(QByteArrayView column, QByteArray& target);
    bool next();
    void free();

private:
    MYSQL_RES* m_result = nullptr;
};

// One connection, owned by the thread that opened it, from open to close.
class CatalogueSession {
public:
    CatalogueSession() = default;
    CatalogueSession(CatalogueSession&& other) noexcept;
    CatalogueSession& operator=(CatalogueSession&& other) noexcept;
    CatalogueSession(const CatalogueSession&) = delete;
    CatalogueSession& operator=(const CatalogueSession&) = delete;
    ~CatalogueSession();

    static CatalogueSession open(const ConnectionSettings& settings, const char* database = kCatalogueDatabase);
    bool isConnected() const { return m_handle != nullptr; }
    // Quotes a catalogue value for use between single quotes (GBK-aware); unchanged when not connected.
    QByteArray escape(QByteArrayView value) const;
    bool run(QByteArrayView statement);
    RecordSet takeRecordSet();
    void close();

private:
    MYSQL* m_handle = nullptr;
};

} // namespace velnor
