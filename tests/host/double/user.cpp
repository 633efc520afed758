// The user, other programs' windows and time, as the double plays them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fake_machine.h"

using fake::TheMachine;

// A day of fake time: a program still waiting then would wait for ever.
static const DWORD kLongestWaitMs = 24u * 60u * 60u * 1000u;

static std::string Hex(unsigned long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lX", value);
    return text;
}

static fake::Window* WindowOf(HWND handle)
{
    std::uintptr_t index = reinterpret_cast<std::uintptr_t>(handle);
    std::vector<fake::Window>& windows = TheMachine().windows;
    if (index == 0 || index > windows.size())
        return nullptr;
    return &windows[index - 1];
}

static bool HasClosed(const fake::Window& window)
{
    return window.closeRequested && window.closesAfterMs >= 0 &&
           TheMachine().nowMs >= window.closeRequestedAtMs + static_cast<DWORD>(window.closesAfterMs);
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferSize)
{
    // A failed load leaves the buffer as it was.
    if (instance != fake::ProgramInstance() || bufferSize <= 0)
        return 0;
    auto found = TheMachine().strings.find(id);
    if (found == TheMachine().strings.end())
        return 0;
    size_t length = found->second.size();
    if (length > static_cast<size_t>(bufferSize - 1))
        length = static_cast<size_t>(bufferSize - 1);
    std::memcpy(buffer, found->second.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT style)
{
    TheMachine().calls.push_back("MessageBoxA(\"" + std::string(text) + "\", \"" + caption + "\", " +
                                 Hex(style) + ")");
    std::deque<int>& answers = TheMachine().messageBoxAnswers;
    if (answers.empty())
        return 0;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

BOOL ExitWindowsEx(UINT flags, DWORD reason)
{
    TheMachine().calls.push_back("ExitWindowsEx(" + Hex(flags) + ", " + std::to_string(reason) + ")");
    return TRUE;
}

HWND FindWindowA(LPCSTR className, LPCSTR title)
{
    std::vector<fake::Window>& windows = TheMachine().windows;
    for (size_t i = 0; i < windows.size(); ++i) {
        if (HasClosed(windows[i]))
            continue;
        if (className != nullptr && lstrcmpiA(className, windows[i].className.c_str()) != 0)
            continue;
        if (title != nullptr && windows[i].title != title)
            continue;
        return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(i + 1));
    }
    return nullptr;
}

BOOL PostMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    fake::Window* window = WindowOf(handle);
    std::string target = window != nullptr ? window->className : "<no window>";
    TheMachine().calls.push_back("PostMessageA(" + target + ", " + Hex(message) + ", " +
                                 std::to_string(wParam) + ", " + std::to_string(lParam) + ")");
    if (window == nullptr || HasClosed(*window))
        return FALSE;
    if (message == WM_CLOSE && !window->closeRequested) {
        window->closeRequested = true;
        window->closeRequestedAtMs = TheMachine().nowMs;
    }
    return TRUE;
}

BOOL IsWindow(HWND handle)
{
    fake::Window* window = WindowOf(handle);
    return window != nullptr && !HasClosed(*window);
}

void Sleep(DWORD milliseconds)
{
    TheMachine().calls.push_back("Sleep(" + std::to_string(milliseconds) + ")");
    TheMachine().nowMs += milliseconds;
    if (TheMachine().nowMs > kLongestWaitMs) {
        std::fprintf(stderr, "fake machine: the program has slept for a whole fake day\n");
        std::abort();
    }
}
