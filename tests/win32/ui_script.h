// Drives the menus and dialogs that the code under test opens in modal loops
// of its own: a thread timer, dispatched by whichever loop runs, takes the
// steps in turn, each once its window is there. A watchdog closes whatever a
// failing test left open; steps never taken fail the test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class UiScript {
public:
    UiScript();
    ~UiScript();
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    // Once a window of the class is visible and enabled (no dialog of its
    // own over it), runs `act` on it.
    void WhenShown(const wchar_t* className, std::function<void(HWND)> act);
    // Once a popup menu shows, runs `look` on it and presses the keys.
    void WhenMenuShown(std::vector<WORD> keys, std::function<void(HMENU)> look = nullptr);
};

// The texts of an owner-drawn popup menu's items.
std::vector<std::u16string> MenuTexts(HMENU menu);

// While it lives, every note window fails to be created.
class NoteCreationBlocked {
public:
    NoteCreationBlocked();
    ~NoteCreationBlocked();

private:
    HHOOK hook_;
};

// When the run asks for pictures (a folder in QB_SCREENSHOTS), saves one of
// the screen as soon as `shown` is on it as it painted itself.
void SaveScreenshotIfAsked(const std::u16string& name, HWND shown);
