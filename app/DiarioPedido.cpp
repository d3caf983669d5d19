// The journal of a committed rebuild, written as a CSV file.
#include "app/DiarioPedido.h"

#include <shlobj.h>

#include <cstdio>

#include "ui/Classes.h"

namespace {

const wchar_t* const NomePasta = L"Reprocessa Sequencial";

// A field as CSV keeps it: quoted when it holds a separator, a quote or a line end.
std::string Campo(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// A part of a file name: characters a file name cannot hold become '_'.
std::wstring ParteDoNome(const std::string& utf8)
{
    std::wstring part = ui::Utf8ToWide(ui::Trim(utf8));
    for (wchar_t& c : part)
        if (c < L' ' || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos)
            c = L'_';
    return part;
}

std::wstring MotivoDoSistema(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text.empty() ? L"Erro " + std::to_wstring(error) + L"." : text;
}

[[noreturn]] void Falha(const std::wstring& onde, DWORD error)
{
    throw ui::Exception(ui::WideToUtf8(onde + L"\r" + MotivoDoSistema(error)));
}

} // namespace

std::wstring PastaDiarios()
{
    std::wstring base;
    wchar_t buffer[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH * 2);
    if (length > 0 && length < MAX_PATH * 2) {
        base.assign(buffer, length);
    } else {
        wchar_t* known = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known)))
            base = known;
        CoTaskMemFree(known);
    }
    while (!base.empty() && (base.back() == L'\\' || base.back() == L'/'))
        base.pop_back();
    return base + L"\\" + NomePasta;
}

std::string TextoDiario(const TDiarioPedido& diario)
{
    std::string text = "\xEF\xBB\xBF";
    text += "Banco de dados,Filial,Pedido,Produto,Grade,Sequência anterior,Sequência nova,ID anterior,ID novo\r\n";
    for (const TItemDiario& item : diario.Itens) {
        text += Campo(diario.Banco) + ',' + Campo(diario.Filial) + ',' + Campo(diario.Pedido) + ',' +
                Campo(item.Produto) + ',' + Campo(item.Grade) + ',' + Campo(item.SequenciaAnterior) + ',' +
                std::to_string(item.SequenciaNova) + ',' + Campo(item.IdAnterior) + ',' +
                std::to_string(item.IdNovo) + "\r\n";
    }
    return text;
}

std::wstring GravaDiario(const TDiarioPedido& diario, const SYSTEMTIME& quando)
{
    const std::wstring pasta = PastaDiarios();
    if (!CreateDirectoryW(pasta.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        Falha(pasta, GetLastError());

    wchar_t data[40];
    std::swprintf(data, 40, L"%04u-%02u-%02u %02u-%02u-%02u", quando.wYear, quando.wMonth, quando.wDay,
                  quando.wHour, quando.wMinute, quando.wSecond);
    const std::wstring nome = pasta + L"\\" + data + L" filial " + ParteDoNome(diario.Filial) + L" pedido " +
                              ParteDoNome(diario.Pedido);
    const std::string text = TextoDiario(diario);
    // Two runs in the same second get two files.
    for (int copia = 1;; ++copia) {
        const std::wstring caminho = nome + (copia == 1 ? L"" : L" (" + std::to_wstring(copia) + L")") + L".csv";
        HANDLE file = CreateFileW(caminho.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS && copia < 100)
                continue;
            Falha(caminho, error);
        }
        DWORD written = 0;
        const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        const DWORD error = GetLastError();
        const BOOL closed = CloseHandle(file);
        if (!ok || written != text.size() || !closed) {
            // A half-written journal would mislead more than none.
            DeleteFileW(caminho.c_str());
            Falha(caminho, ok ? ERROR_WRITE_FAULT : error);
        }
        return caminho;
    }
}
