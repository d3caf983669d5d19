#pragma once
// The statements of an order's sequence rebuild, stored as the form keeps them: one line each,
// ended by a carriage return, trailing blanks included.

// The order's rows, in the order the server returns them, each with its own row key (valid for the
// transaction that reads it) and its values before the rebuild, for the journal.
inline constexpr const char* SelectPedido =
    "  SELECT PEDIDOI.CODPROD, PEDIDOI.CODGRADE,               \r"
    "         PEDIDOI.RDB$DB_KEY AS CHAVE,                     \r"
    "         PEDIDOI.SEQUENCIA, PEDIDOI.ID_ITEM FROM PEDIDOC  \r"
    "    INNER JOIN PEDIDOI                                    \r"
    "     ON PEDIDOC.CODEMPRESA = PEDIDOI.CODEMPRESA           \r"
    "    AND PEDIDOC.CODPEDIDO  = PEDIDOI.CODPEDIDO            \r"
    "    AND PEDIDOC.TIPOPEDIDO = PEDIDOI.TIPOPEDIDO           \r"
    "  WHERE PEDIDOC.TIPOPEDIDO = '55'                       \r"
    "    AND PEDIDOC.ID_DAVPV   <> ''                        \r"
    "    AND PEDIDOC.CODPEDIDO  = :PCODPEDIDO                  \r"
    "    AND PEDIDOC.CODEMPRESA = :PCODEMPRESA                 \r";

// One item row renumbered. The row key names exactly one row, even when the order lists the same
// product and grid on several rows; the other conditions keep any key outside the order from
// touching anything.
inline constexpr const char* UpdateItem =
    "UPDATE PEDIDOI                           \r"
    " SET  SEQUENCIA           = :PSEQUENCIA, \r"
    "      ID_ITEM             = :PID_ITEM    \r"
    " WHERE PEDIDOI.RDB$DB_KEY = :PCHAVE      \r"
    "   AND PEDIDOI.CODPEDIDO  = :PCODPEDIDO  \r"
    "   AND PEDIDOI.CODPROD    = :PCODPROD    \r"
    "   AND PEDIDOI.CODGRADE   = :PCODGRADE   \r"
    "   AND PEDIDOI.CODEMPRESA = :PCODEMPRESA \r"
    "   AND PEDIDOI.TIPOPEDIDO = '55'       \r";
