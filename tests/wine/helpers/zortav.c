/* Stand-in for the product's main program: owns a top-level window of class
   ZORTAVCLASS and, when asked to close, takes its time before it goes.
       zortav.exe [--close-delay MS] [--log FILE]
   The log tells a test when the window existed and whether zorvis.dll beside this
   program was still there when the close request came and when the window went. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define CLOSE_TIMER 1

static const char *log_path;
static UINT close_delay_ms = 2500;
static char sibling_path[MAX_PATH];

/* One line per open and close, so a shell polling the file sees each line at once. */
static void log_line(const char *what, int with_sibling)
{
    FILE *f;
    if (!log_path || !(f = fopen(log_path, "a")))
        return;
    if (with_sibling)
        fprintf(f, "%s zorvis.dll=%s\n", what,
                GetFileAttributesA(sibling_path) != INVALID_FILE_ATTRIBUTES ? "present" : "absent");
    else
        fprintf(f, "%s\n", what);
    fclose(f);
}

static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CLOSE:
        log_line("close-requested", 1);
        SetTimer(hwnd, CLOSE_TIMER, close_delay_ms, NULL);
        return 0;
    case WM_TIMER:
        if (wp == CLOSE_TIMER) {
            KillTimer(hwnd, CLOSE_TIMER);
            log_line("closing", 1);
            DestroyWindow(hwnd);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmdline, int show)
{
    WNDCLASSA wc;
    MSG msg;
    char *slash;
    int i;

    (void)prev; (void)cmdline; (void)show;
    for (i = 1; i + 1 < __argc; i += 2) {
        if (!strcmp(__argv[i], "--close-delay"))
            close_delay_ms = (UINT)atoi(__argv[i + 1]);
        else if (!strcmp(__argv[i], "--log"))
            log_path = __argv[i + 1];
    }

    GetModuleFileNameA(NULL, sibling_path, sizeof sibling_path);
    slash = strrchr(sibling_path, '\\');
    if (slash && (size_t)(slash + 1 - sibling_path) + sizeof "zorvis.dll" <= sizeof sibling_path)
        strcpy(slash + 1, "zorvis.dll");

    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.lpszClassName = "ZORTAVCLASS";
    if (!RegisterClassA(&wc) ||
        !CreateWindowA("ZORTAVCLASS", "Parvella", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                       320, 200, NULL, NULL, instance, NULL))
        return 1;
    log_line("ready", 0);

    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
