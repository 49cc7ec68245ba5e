#!/bin/bash
# A stand-in for the large demo catalogue when it is not at hand: the catalogue tests' fixture plus
# 10,000 yp models of brand Bench10k, in a private MariaDB.
#   bench-db.sh start|stop DIR PORT      (account cat_reader / counter_reads_only)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/lib/mariadb.sh
source "$here/../../scripts/lib/mariadb.sh"

action=${1:?start|stop}
dir=${2:?DIR}
port=${3:-14332}

case "$action" in
start)
    mariadb_start "$dir" "$port"
    {
        cat "$here/../../tests/catalogue/fixture.sql"
        cat <<'SQL'
SET NAMES utf8mb4;
USE zel_k;
INSERT INTO zel_brand_b VALUES ('yp', 'Bench10k', 7);
SET SESSION max_recursive_iterations = 20000;
INSERT INTO zel_access_b (sort, brand, jg, model, repair, tp, Platform_ID, cpujx, zbjx, xkjk)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000)
SELECT 'yp', 'Bench10k', CAST(100 + (i * 7919) % 5000 AS CHAR), CONCAT('酷鱼 测试盘 ', i, 'GB SATA3 7200转'),
       '三年质保', CONCAT('bench/', i, '.jpg'), NULL, NULL, NULL, NULL
FROM n;
SQL
    } | mariadb_root "$dir" --default-character-set=utf8mb4
    ;;
stop)
    mariadb_stop "$dir"
    ;;
*)
    echo "usage: $0 start|stop DIR PORT" >&2
    exit 2
    ;;
esac
