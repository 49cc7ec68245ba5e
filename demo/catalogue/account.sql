-- The shop's read-only counter account: SELECT on the catalogue and nothing else.
CREATE USER IF NOT EXISTS 'velnor_quote'@'127.0.0.1' IDENTIFIED BY 'shop_counter_reads';
CREATE USER IF NOT EXISTS 'velnor_quote'@'localhost' IDENTIFIED BY 'shop_counter_reads';
CREATE USER IF NOT EXISTS 'velnor_quote'@'%' IDENTIFIED BY 'shop_counter_reads';
ALTER USER 'velnor_quote'@'127.0.0.1' IDENTIFIED BY 'shop_counter_reads';
ALTER USER 'velnor_quote'@'localhost' IDENTIFIED BY 'shop_counter_reads';
ALTER USER 'velnor_quote'@'%' IDENTIFIED BY 'shop_counter_reads';
GRANT SELECT ON zel_k.* TO 'velnor_quote'@'127.0.0.1';
GRANT SELECT ON zel_k.* TO 'velnor_quote'@'localhost';
GRANT SELECT ON zel_k.* TO 'velnor_quote'@'%';
FLUSH PRIVILEGES;
