#pragma once
// The statements of an order's sequence rebuild, stored as the form keeps them: one line each,
// ended by a carriage return, trailing blanks included.

// The order's rows, in the order the server returns them.
inline constexpr const char* SelectPedido =
    "  SELECT PEDIDOI.CODPROD, PEDIDOI.CODGRADE FROM PEDIDOC   \r"
    "    INNER JOIN PEDIDOI                                    \r"
    "     ON PEDIDOC.CODEMPRESA = PEDIDOI.CODEMPRESA           \r"
    "    AND PEDIDOC.CODPEDIDO  = PEDIDOI.CODPEDIDO            \r"
    "    AND PEDIDOC.TIPOPEDIDO = PEDIDOI.TIPOPEDIDO           \r"
    "  WHERE PEDIDOC.TIPOPEDIDO = '55'                       \r"
    "    AND PEDIDOC.ID_DAVPV   <> ''                        \r"
    "    AND PEDIDOC.CODPEDIDO  = :PCODPEDIDO                  \r"
    "    AND PEDIDOC.CODEMPRESA = :PCODEMPRESA                 \r";

// One item row renumbered.
inline constexpr const char* UpdateItem =
    "UPDATE PEDIDOI                           \r"
    " SET  SEQUENCIA           = :PSEQUENCIA, \r"
    "      ID_ITEM             = :PID_ITEM    \r"
    " WHERE PEDIDOI.CODPEDIDO  = :PCODPEDIDO  \r"
    "   AND PEDIDOI.CODPROD    = :PCODPROD    \r"
    "   AND PEDIDOI.CODGRADE   = :PCODGRADE   \r"
    "   AND PEDIDOI.CODEMPRESA = :PCODEMPRESA \r"
    "   AND PEDIDOI.TIPOPEDIDO = '55'       \r";
