#pragma once
// A test fixture holding the real main form, shown, and a fresh database; helpers that answer the
// form's message boxes and file dialog through their windows while an action runs.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestDatabase.h"
#include "app/ReprocessaSequencial.h"

namespace apptest {

// A message box as the operator saw it.
struct Box {
    std::wstring caption;  // "Warning", "Information", "Confirm"
    std::wstring text;
};

// How the dialogs shown during an action are answered.
struct Answers {
    std::wstring confirm = L"&Yes";  // the button pressed on a confirmation box
    std::wstring file;               // typed into the file dialog; empty cancels it
};

class DatabaseForm : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs `action`, answering every box and file dialog it shows; returns the boxes in order.
    std::vector<Box> WithDialogs(const std::function<void()>& action, const Answers& answers = {});
    // Clicks a button through its window.
    void Click(ui::TWinControl* button);
    // Presses a key in a control through the message loop, as typing does.
    void Key(ui::TWinControl* control, unsigned short virtualKey);
    // Opens a database with the open button and the file dialog; returns the boxes shown.
    std::vector<Box> Open(const std::string& path);
    // Fills branch and order and clicks the rebuild button; returns the boxes shown.
    std::vector<Box> Rebuild(const std::wstring& branch, const std::wstring& order, const Answers& answers = {});

    // The journal folder of this test (LOCALAPPDATA points to a folder of the test's own), and the
    // journal files in it.
    std::wstring JournalFolder() const { return localAppData_ + L"\\Reprocessa Sequencial"; }
    std::vector<std::wstring> Journals() const;
    // A journal file's bytes.
    static std::string ReadFileBytes(const std::wstring& path);

    // The control holding the keyboard focus.
    ui::TWinControl* Focused() const;
    bool InputsEnabled() const;

    std::unique_ptr<dbtest::TTestDatabase> database_;
    std::unique_ptr<TReprocessaSequencial> form_;
    TReprocessaSequencial* f = nullptr;

private:
    std::wstring localAppData_;
    std::wstring savedLocalAppData_;
};

// The failure text of a rebuild for an order number.
std::wstring FailureText(const std::wstring& order);

} // namespace apptest
