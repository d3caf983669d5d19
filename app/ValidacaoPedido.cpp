// The local checks of the branch and the order number, before anything reaches the database.
#include "app/ReprocessaSequencial.h"

namespace {

bool EmBranco(wchar_t c)
{
    return c <= L' ';
}

// Blanks and control characters removed from both ends.
std::wstring Apara(const std::wstring& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (end > begin && EmBranco(text[end - 1]))
        --end;
    while (begin < end && EmBranco(text[begin]))
        ++begin;
    return text.substr(begin, end - begin);
}

void Aviso(const std::wstring& text)
{
    ui::MessageDlg(text, ui::TMsgDlgType::mtWarning, ui::mbOK, 0);
}

} // namespace

void TReprocessaSequencial::ValidaPedido()
{
    if (Apara(edtCaminhoCarvoni->Text()).empty()) {
        Aviso(L"Abra um banco de dados para continuar.");
        edtCodPedido->SetText(L"");
        Foca(btnAbrirCarvoni);
        ui::Abort();
    }
    if (Apara(edtCodPedido->Text()).empty()) {
        Aviso(L"O número do pedido não pode ficar em branco.");
        Foca(edtCodPedido);
        ui::Abort();
    }
    if (edtCodPedido->Text().size() < 8)
        edtCodPedido->SetText(CompletaZeros(edtCodPedido->Text(), 8));
    if (edtCodPedido->Text().size() > 8) {
        Aviso(L"O número do pedido está incorreto ou o pedido não existe.");
        edtCodPedido->SetText(L"");
        Foca(edtCodPedido);
        ui::Abort();
    }
}

std::wstring TReprocessaSequencial::CompletaZeros(const std::wstring& Text, int Width)
{
    std::wstring result = Apara(Text);
    const std::size_t width = Width > 0 ? static_cast<std::size_t>(Width) : 0;
    if (result.size() > width)
        result = result.substr(result.size() - width);
    if (result.size() < width)
        result.insert(0, width - result.size(), L'0');
    return result;
}

void TReprocessaSequencial::edtCodPedidoKeyPress(ui::TObject*, wchar_t& Key)
{
    if (Key != L'\r')
        return;
    // The edit never sees Enter, whether the check passes or stops.
    Key = 0;
    ValidaPedido();
    SendMessageW(Handle(), WM_NEXTDLGCTL, 0, 0);
}

void TReprocessaSequencial::cbxFilialKeyPress(ui::TObject*, wchar_t& Key)
{
    if (Key != L'\r')
        return;
    const std::wstring filial = cbxFilial->Text();
    if (filial.empty()) {
        Aviso(L"Informe uma cadastrada no banco de dados para continuar.");
        Foca(cbxFilial);
    } else if (filial.size() == 2) {
        Key = 0;
        SendMessageW(Handle(), WM_NEXTDLGCTL, 0, 0);
        Foca(edtCodPedido);
    } else {
        Aviso(L"Informe a filial correta do banco de dados para continuar.");
        Foca(cbxFilial);
    }
}

void TReprocessaSequencial::cbxFilialExit(ui::TObject*)
{
    if (edtCaminhoCarvoni->Text().empty()) {
        Aviso(L"Abra um banco de dados para continuar.");
        edtCodPedido->SetText(L"");
        Foca(btnAbrirCarvoni);
        ui::Abort();
    }
    if (cbxFilial->Text().empty()) {
        Aviso(L"Informe a filial do banco para continuar.");
        Foca(cbxFilial);
    }
}
