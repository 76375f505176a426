// A user who acts on the menus and dialogs of a process as they appear, one
// scripted step after another: walks a menu with keys, answers the text
// input dialog, the colour dialog and message boxes, and remembers what
// each of them showed.
//
// A thread timer takes the steps, so they run in whatever loop this thread
// is in: the modal loop of a menu or dialog that code under test shows in
// this process, or PumpUntil while another process shows them. When a menu
// or dialog (or a window of a class a step waits for) stays open for long
// with no step taken, the test fails and they are closed, so that the run
// never blocks.
#pragma once

#include <windows.h>

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the user saw in a dialog before answering it.
struct Seen {
    bool shown = false;
    std::u16string title{};       // the caption
    std::u16string text{};        // the text input's initial text, or the message box's text
    COLORREF colour = 0;          // the colour the colour dialog opened with
    bool customPartOpen = false;  // the colour dialog opened with its red, green and blue fields
    HICON icon = nullptr;         // the message box's icon
    int defaultButton = 0;        // the message box's default button
};

class ScriptedUser {
public:
    using Step = std::function<bool()>;  // true once it has acted

    // Watches the windows of that process; one scripted user at a time.
    explicit ScriptedUser(DWORD processId = GetCurrentProcessId());
    // Fails the test for steps never taken (see Forget).
    ~ScriptedUser();
    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    // Any step: it is retried on every tick until it returns true.
    void Then(Step step);

    // Once exactly `depth` menu levels are open, runs `look` and presses the keys.
    void WhenMenusOpen(size_t depth, std::vector<WORD> keys, std::function<void()> look = nullptr);
    // Once a window of the class is shown, acts on it.
    void WhenShown(const wchar_t* className, std::function<void(HWND)> act);
    // Once a window of the class is shown and enabled, acts on it, even one
    // acted on before: a dialog the user comes back to once a dialog it
    // opened over itself has closed.
    void WhenEnabled(const wchar_t* className, std::function<void(HWND)> act);

    // Types the text into the text input dialog and presses OK.
    void AnswerTextInput(const std::u16string& typed, Seen* seen = nullptr);
    // Presses Cancel in the text input dialog.
    void CancelTextInput(Seen* seen = nullptr);
    // Confirms the colour dialog, after typing the colour into its red, green
    // and blue fields unless none is given (the colour it opened with stays).
    void AnswerColour(std::optional<COLORREF> chosen, Seen* seen = nullptr);
    void CancelColour(Seen* seen = nullptr);
    // Answers a message box with the command of one of its buttons.
    void AnswerMessageBox(UINT command, Seen* seen = nullptr);

    size_t StepsLeft() const { return steps_.size(); }
    // Drops the steps not taken, for a test that expects them not to be.
    void Forget() { steps_.clear(); }
    // Pumps messages until every step is taken; false on timeout.
    bool WaitUntilDone(std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));

    // What the process shows now.
    std::vector<HWND> OpenMenus() const;
    HWND TextInput() const;
    HWND ColourDialog() const;
    HWND MessageBoxWindow() const;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    bool AnythingOpen() const;
    void CloseEverythingOpen();
    // A window this user has not answered yet (an answered one may still
    // show until its process handles the answer).
    bool Fresh(HWND window) const { return window && !IsAnswered(window); }
    bool IsAnswered(HWND window) const;
    void MarkAnswered(HWND window) { answered_.push_back(window); }
    // Windows of the class count as open dialogs from now on.
    void Watch(const wchar_t* className);
    // Once `find` shows a dialog, records in *seen (if given) what `read`
    // reads of it and acts on it.
    void Answer(HWND (ScriptedUser::*find)() const, Seen (*read)(HWND), Seen* seen, std::function<void(HWND)> act);
    // Acts on the first window of the class that is shown and ready.
    void ActOnWindow(const wchar_t* className, std::function<void(HWND)> act, std::function<bool(HWND)> ready);

    DWORD processId_;
    std::deque<Step> steps_;
    std::vector<HWND> answered_;
    std::vector<const wchar_t*> watchedClasses_;  // besides menus, message boxes and the colour and text dialogs
    UINT_PTR timer_ = 0;
    bool inTick_ = false;
    std::chrono::steady_clock::time_point lastProgress_;
};
