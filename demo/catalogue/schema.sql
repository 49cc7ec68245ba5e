-- The demo shop's parts catalogue: database zel_k, stored in GBK.
-- This file is UTF-8; scripts/demo-services loads it with the client set to utf8mb4 so that the
-- server converts every text to GBK on the way in. Reloading drops and recreates the database.

DROP DATABASE IF EXISTS zel_k;
CREATE DATABASE zel_k CHARACTER SET gbk COLLATE gbk_chinese_ci;
USE zel_k;

-- One row per brand and category; paixu is the brand's place in its category's list.
CREATE TABLE zel_brand_b (
    id    INT         NOT NULL AUTO_INCREMENT PRIMARY KEY,
    sort  VARCHAR(8)  NOT NULL,
    brand VARCHAR(64) NOT NULL,
    paixu INT         NOT NULL,
    UNIQUE KEY brand_in_sort (sort, brand),
    KEY sort_paixu (sort, paixu)
) ENGINE=InnoDB DEFAULT CHARSET=gbk COLLATE=gbk_chinese_ci;

-- One row per model. jg is a number so that "order by jg" orders by price; a price the shop has not
-- set is NULL. The marks cpujx, zbjx and xkjk mean yes only when they hold exactly 'a', so they compare
-- case-sensitively even in SQL ('A' is a different value).
CREATE TABLE zel_access_b (
    id          INT          NOT NULL AUTO_INCREMENT PRIMARY KEY,
    sort        VARCHAR(8)   NOT NULL,
    brand       VARCHAR(64)  NOT NULL,
    jg          INT          NULL,
    model       VARCHAR(200) NOT NULL,
    repair      VARCHAR(64)  NULL,
    tp          VARCHAR(200) NULL,
    Platform_ID INT          NULL,
    cpujx       VARCHAR(4)   COLLATE gbk_bin NULL,
    zbjx        VARCHAR(4)   COLLATE gbk_bin NULL,
    xkjk        VARCHAR(4)   COLLATE gbk_bin NULL,
    KEY sort_brand (sort, brand),
    KEY sort_platform (sort, Platform_ID)
) ENGINE=InnoDB DEFAULT CHARSET=gbk COLLATE=gbk_chinese_ci;

-- One row per CPU platform; sort is its place in the platform list. Parts find their platform
-- through its name, so the name is unique.
CREATE TABLE zel_Platform_b (
    Platform_ID INT           NOT NULL PRIMARY KEY,
    Platform    VARCHAR(100)  NOT NULL,
    Brief       VARCHAR(1000) NULL,
    sort        INT           NOT NULL,
    UNIQUE KEY platform_name (Platform)
) ENGINE=InnoDB DEFAULT CHARSET=gbk COLLATE=gbk_chinese_ci;
