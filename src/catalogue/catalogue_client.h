#pragma once

// Every client-library call of the catalogue goes through this table, so that a test can wrap an entry
// (to record the calls a load makes) while still reaching the real server. One indirect call each.

#include <mysql.h>

namespace velnor {

struct CatalogueClient {
    decltype(&mysql_init) init = &mysql_init;
    decltype(&mysql_options) options = &mysql_options;
    decltype(&mysql_real_connect) realConnect = &mysql_real_connect;
    decltype(&mysql_real_escape_string) realEscapeString = &mysql_real_escape_string;
    decltype(&mysql_real_query) realQuery = &mysql_real_query;
    decltype(&mysql_store_result) storeResult = &mysql_store_result;
    decltype(&mysql_num_rows) numRows = &mysql_num_rows;
    decltype(&mysql_data_seek) dataSeek = &mysql_data_seek;
    decltype(&mysql_num_fields) numFields = &mysql_num_fields;
    decltype(&mysql_fetch_fields) fetchFields = &mysql_fetch_fields;
    decltype(&mysql_row_tell) rowTell = &mysql_row_tell;
    decltype(&mysql_row_seek) rowSeek = &mysql_row_seek;
    decltype(&mysql_fetch_row) fetchRow = &mysql_fetch_row;
    decltype(&mysql_fetch_lengths) fetchLengths = &mysql_fetch_lengths;
    decltype(&mysql_free_result) freeResult = &mysql_free_result;
    decltype(&mysql_close) close = &mysql_close;
};

// The table in use. Tests replace entries before starting loads and restore them afterwards; it is
// never changed while a load runs.
CatalogueClient& catalogueClient();

} // namespace velnor
