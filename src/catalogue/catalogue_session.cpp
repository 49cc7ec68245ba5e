// Placeholder until the session lands.
#include "catalogue/catalogue_session.h"

namespace velnor {
void initCatalogueLibrary() {}
CatalogueThreadScope::CatalogueThreadScope() {}
CatalogueThreadScope::~CatalogueThreadScope() {}
RecordSet::RecordSet(RecordSet&& other) noexcept : m_result(other.m_result) { other.m_result = nullptr; }
RecordSet& RecordSet::operator=(RecordSet&& other) noexcept { std::swap(m_result, other.m_result); return *this; }
RecordSet::~RecordSet() {}
void RecordSet::first() {}
uint64_t RecordSet::rowCount() const { return 0; }
bool RecordSet::readText(QByteArrayView, QByteArray&) { return false; }
bool RecordSet::next() { return false; }
void RecordSet::free() {}
CatalogueSession::CatalogueSession(CatalogueSession&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
CatalogueSession& CatalogueSession::operator=(CatalogueSession&& other) noexcept { std::swap(m_handle, other.m_handle); return *this; }
CatalogueSession::~CatalogueSession() {}
CatalogueSession CatalogueSession::open(const ConnectionSettings&, const char*) { return {}; }
QByteArray CatalogueSession::escape(QByteArrayView value) const { return value.toByteArray(); }
bool CatalogueSession::run(QByteArrayView) { return false; }
RecordSet CatalogueSession::takeRecordSet() { return {}; }
void CatalogueSession::close() {}
} // namespace velnor
