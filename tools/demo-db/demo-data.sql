/* Demo orders for the sequence tool (isql script, dialect 1). Item numbering is scrambled on
   purpose: SEQUENCIA and ID_ITEM with gaps and repeats, as the tool finds them in the field. */

SET TERM ^ ;

EXECUTE BLOCK AS
  DECLARE b INTEGER;
  DECLARE o INTEGER;
  DECLARE i INTEGER;
  DECLARE n INTEGER;
  DECLARE branch CHAR(2);
  DECLARE num CHAR(8);
  DECLARE grade VARCHAR(6);
BEGIN
  /* Pre-sale orders (type 55) in four branches, 3 to 25 items each. */
  b = 0;
  WHILE (b < 4) DO
  BEGIN
    branch = '0' || b;
    o = 1;
    WHILE (o <= 12) DO
    BEGIN
      num = LPAD(o, 8, '0');
      INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, ID_DAVPV, CODCLIENTE, NOMECLIENTE, DATAEMISSAO, VALORTOTAL)
        VALUES (:branch, :num, '55', 'DAV' || :branch || :num, LPAD(CAST(:o * 7 AS INTEGER), 6, '0'),
                'Cliente ' || :o, '2024-03-01', 0);
      n = 3 + MOD(o * 5 + b * 3, 23);
      i = 1;
      WHILE (i <= n) DO
      BEGIN
        grade = CASE MOD(i, 4) WHEN 0 THEN '' WHEN 1 THEN 'P ' WHEN 2 THEN 'M  ' ELSE 'G ' END;
        INSERT INTO PEDIDOI (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, SEQUENCIA, ID_ITEM, CODPROD, CODGRADE,
                             DESCRICAO, QUANTIDADE, PRECO)
          VALUES (:branch, :num, '55', MOD(:i * 7, :n) + MOD(:i, 3), 1000 + MOD(:i * 37 + :o, 50) * 3,
                  '789' || LPAD(CAST(:i * 13 + :o AS INTEGER), 6, '0'), :grade, 'Produto ' || :i, 1 + MOD(:i, 5), 9.9 + :i);
        i = i + 1;
      END
      o = o + 1;
    END
    b = b + 1;
  END

  /* The same numbers as other order types in branch 01: never touched by the tool. */
  o = 1;
  WHILE (o <= 3) DO
  BEGIN
    num = LPAD(o, 8, '0');
    INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, ID_DAVPV) VALUES ('01', :num, '50', 'DAVX' || :num);
    i = 1;
    WHILE (i <= 4) DO
    BEGIN
      INSERT INTO PEDIDOI (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, SEQUENCIA, ID_ITEM, CODPROD, CODGRADE, DESCRICAO)
        VALUES ('01', :num, '50', 9 - :i, 500 + :i, '789' || LPAD(CAST(:i * 13 + :o AS INTEGER), 6, '0'), '', 'Produto ' || :i);
      i = i + 1;
    END
    o = o + 1;
  END

  /* Pre-sale orders without a DAV number in branch 02: not found by the tool. */
  o = 20;
  WHILE (o <= 21) DO
  BEGIN
    num = LPAD(o, 8, '0');
    INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, ID_DAVPV) VALUES ('02', :num, '55', '');
    INSERT INTO PEDIDOI (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, SEQUENCIA, ID_ITEM, CODPROD, CODGRADE, DESCRICAO)
      VALUES ('02', :num, '55', 4, 4, '789000001', 'U', 'Produto 1');
    o = o + 1;
  END

  /* One large pre-sale order: 10,000 items in branch 01. */
  num = '00010000';
  INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, ID_DAVPV, NOMECLIENTE, DATAEMISSAO)
    VALUES ('01', :num, '55', 'DAV0110000', 'Cliente atacado', '2024-03-02');
  i = 1;
  WHILE (i <= 10000) DO
  BEGIN
    INSERT INTO PEDIDOI (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, SEQUENCIA, ID_ITEM, CODPROD, CODGRADE,
                         DESCRICAO, QUANTIDADE, PRECO)
      VALUES ('01', :num, '55', MOD(:i * 7919, 10007), 20000 + MOD(:i * 104729, 9000),
              '78' || LPAD(:i, 8, '0'), CASE MOD(:i, 3) WHEN 0 THEN '' WHEN 1 THEN 'P ' ELSE 'M  ' END,
              'Produto ' || :i, 1, 1.5);
    i = i + 1;
  END
END^

SET TERM ; ^

SET GENERATOR GEN_IDITEM TO 40000;
COMMIT;
