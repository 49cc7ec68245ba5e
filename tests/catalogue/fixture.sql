-- A small catalogue for the catalogue tests. UTF-8 source; the tables hold GBK like the shop's.
SET NAMES utf8mb4;
DROP DATABASE IF EXISTS zel_k;
CREATE DATABASE zel_k DEFAULT CHARACTER SET gbk;
USE zel_k;

CREATE TABLE zel_brand_b (
    sort varchar(10) NOT NULL,
    brand varchar(60) NOT NULL,
    paixu int NOT NULL
) DEFAULT CHARSET=gbk;

CREATE TABLE zel_access_b (
    id int AUTO_INCREMENT PRIMARY KEY,
    sort varchar(10) NOT NULL,
    brand varchar(60) NOT NULL,
    jg varchar(20),
    model varchar(120),
    repair varchar(60),
    tp varchar(120),
    Platform_ID int,
    cpujx varchar(4),
    zbjx varchar(4),
    xkjk varchar(4)
) DEFAULT CHARSET=gbk;

CREATE TABLE zel_Platform_b (
    Platform varchar(60) NOT NULL,
    Brief varchar(200),
    sort int NOT NULL,
    Platform_ID int NOT NULL
) DEFAULT CHARSET=gbk;

-- Inserted out of list order, so that only "order by sort" gives the expected order.
INSERT INTO zel_Platform_b VALUES
    ('AM5', 'AMD 锐龙 7000/9000 系列', 2, 2),
    ('LGA1700', 'Intel 第 12-14 代酷睿', 1, 1),
    ('双平台', '同名的第一行', 3, 3),
    ('双平台', '同名的第二行', 4, 4);

-- Every category has brands; paixu disagrees with insertion order.
INSERT INTO zel_brand_b VALUES
    ('zb', '微星', 2), ('zb', '华硕', 1),
    ('cpu', '英特尔', 1),
    ('yp', '西部数据', 3), ('yp', '希捷', 1), ('yp', 'O''Neil', 4), ('yp', '誠牌', 5), ('yp', '空牌', 6),
    ('nc', '金士顿', 1),
    ('xk', '七彩虹', 2), ('xk', '影驰', 1),
    ('gq', '先锋', 1),
    ('jx', '航嘉', 1),
    ('dy', '长城', 1),
    ('xsq', '三星', 1),
    ('js', '罗技', 1),
    ('yx', '漫步者', 1),
    ('srq', '九州风神', 1);

INSERT INTO zel_access_b (sort, brand, jg, model, repair, tp, Platform_ID, cpujx, zbjx, xkjk) VALUES
    ('yp', '希捷', '459', '酷鱼 2TB', '三年', 'st2t.jpg', NULL, NULL, NULL, NULL),
    ('yp', '希捷', '1000', '酷狼 8TB', '三年', 'st8t.jpg', NULL, NULL, NULL, NULL),
    ('yp', '希捷', '999', '酷鹰 4TB', NULL, 'st4t.jpg', NULL, NULL, NULL, NULL),
    ('yp', '西部数据', '399', '蓝盘 1TB', '两年', 'wd1t.jpg', NULL, NULL, NULL, NULL),
    ('yp', 'O''Neil', '88', 'ON-1', '一年', 'on1.jpg', NULL, NULL, NULL, NULL),
    ('yp', '誠牌', '66', '誠 500G', '一年', 'c500.jpg', NULL, NULL, NULL, NULL),
    ('xk', '影驰', '1999', 'RTX 4060', '三年', '4060.jpg', NULL, NULL, NULL, NULL),
    ('cpu', '英特尔', '1299', 'i5-12400F', '三年', 'i5.jpg', 1, '', NULL, NULL),
    ('cpu', '英特尔', '899', 'i3-12100', '三年', 'i3.jpg', 1, 'a', NULL, NULL),
    ('cpu', 'AMD', '1499', '锐龙 5 7600', '三年', 'r5.jpg', 2, 'a', NULL, NULL),
    ('cpu', '英特尔', '1399', '奔腾 AM5 误标', '三年', 'x.jpg', 2, 'A', NULL, NULL),
    ('cpu', 'AMD', '2999', '锐龙 7 7800X3D', '三年', 'r7.jpg', 3, 'a', NULL, NULL),
    ('zb', '华硕', '1099', 'TUF B650', '三年', 'b650.jpg', 2, 'a', 'a', 'a'),
    ('zb', '华硕', '799', 'PRIME A620', '三年', 'a620.jpg', 2, 'a', '', 'a'),
    ('zb', '华硕', '899', 'PRIME B760', '三年', 'b760.jpg', 1, NULL, 'a', 'a'),
    ('zb', '微星', '999', 'B650M 迫击炮', '三年', 'msi.jpg', 2, NULL, ' a', 'A');

-- The shop's account only reads.
CREATE USER IF NOT EXISTS 'cat_reader'@'127.0.0.1' IDENTIFIED BY 'counter_reads_only';
GRANT SELECT ON zel_k.* TO 'cat_reader'@'127.0.0.1';
FLUSH PRIVILEGES;
