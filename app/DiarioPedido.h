#pragma once
// The journal of a committed rebuild: one CSV file per run in the user's local application-data
// folder, so that support staff can see afterwards what a rebuild changed and trace an old item id.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// One row of the order as the rebuild changed it. Old values are the text the database gave
// (empty for null); codes are kept exactly as stored.
struct TItemDiario {
    std::string Produto;
    std::string Grade;
    std::string SequenciaAnterior;
    std::int32_t SequenciaNova = 0;
    std::string IdAnterior;
    std::int32_t IdNovo = 0;
};

struct TDiarioPedido {
    std::string Banco;  // the database path, UTF-8
    std::string Filial;
    std::string Pedido;
    std::vector<TItemDiario> Itens;
};

// %LOCALAPPDATA%\Reprocessa Sequencial, without a trailing backslash.
std::wstring PastaDiarios();

// The file's content: UTF-8 with a byte-order mark (spreadsheets read the accents right), a
// header row, one line per row, CR LF line ends, fields quoted where they must be.
std::string TextoDiario(const TDiarioPedido& diario);

// Writes the journal as a new file in PastaDiarios(), named by date, time, branch and order (an
// existing file is never overwritten), and returns its path. Raises ui::Exception with the folder
// or file and the system's reason when it cannot.
std::wstring GravaDiario(const TDiarioPedido& diario, const SYSTEMTIME& quando);
