// Start-up: the application, the one form read from its stored description, the message loop.
#include "app/ReprocessaSequencial.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        ui::Application.Initialize();
        TReprocessaSequencial* ReprocessaSequencial = nullptr;
        ui::Application.CreateForm(ReprocessaSequencial);
        ui::Application.Run();
        // The form goes now, while everything it and its skin rely on still exists; left to the
        // application object, it would go during the program's static teardown, in no fixed
        // order with the skin manager.
        ui::Application.SetMainForm(nullptr);
        delete ReprocessaSequencial;
    } catch (const std::exception& error) {
        // Only a form that cannot be built gets here; the loop handles everything else.
        ui::Application.ShowException(error);
        return 1;
    }
    return 0;
}
