// A program that ends with a skinned form still alive, left to the application object: it goes
// during the static teardown, in whatever order with the skin manager. Exits with 0 only when
// nothing faulted on the way out.
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"

#include <windows.h>

#include <memory>

namespace {

// Stands in for window skinning: a frame that reads its component when freed, as a real one does.
class ProbeFrame : public skin::TSkinnedWindow {
public:
    ProbeFrame(HWND window, skin::TSkinData* data) : window_(window), data_(data) {}
    ~ProbeFrame() override
    {
        if (data_->NoSkin)
            SetPropW(window_, L"ProbeFrameFreed", reinterpret_cast<HANDLE>(1));
    }
    HWND Handle() const override { return window_; }
    skin::TSkinData* SkinData() const override { return data_; }
    bool Destroyed() const override { return !IsWindow(window_); }
    void Detach() override {}
    void ReleaseCaptionButtons() override {}
    void ReloadSkin() override {}
    void ReapplyControls() override {}

private:
    HWND window_;
    skin::TSkinData* data_;
};

} // namespace

int main()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    skin::RegisterSkinData();
    ui::Application.Initialize();
    auto* form = new ui::TForm(&ui::Application);
    ui::ReadComponentText(form, "object Form1: TForm\n"
                                "  Caption = 'exit probe'\n"
                                "  object SkinData1: TSkinData\n"
                                "    Active = True\n"
                                "  end\n"
                                "end\n");
    auto* data = dynamic_cast<skin::TSkinData*>(form->FindComponent("SkinData1"));
    skin::TSkinManage* manager = skin::SkinManager();
    if (!data || !manager)
        return 2;
    manager->SkinForms.push_back(std::make_unique<ProbeFrame>(form->Handle(), data));
    form->Show();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
