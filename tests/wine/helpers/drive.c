/* Test driver: starts a program with an exact command line, answers its message
   boxes in the order given and reports what it saw on stdout:
       drive.exe [--timeout SEC] COMMANDLINE [yes|no]... [--then COMMANDLINE [yes|no]...]...
   One line per box, "box: CAPTION | TEXT", then "exit: CODE" when the program
   ends, or "timeout" if it does not end within SEC seconds (default 120). In the
   text a line feed shows as \n and a backslash as \\, so a literal backslash-n
   cannot pass for a line feed. Boxes beyond the given answers are answered No, so
   an unexpected box shows up. Several command lines joined by --then run one
   after the other, each announced by "run: COMMANDLINE". */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define POLL_MS 50
#define TEXT_SIZE 1024

struct box_search {
    DWORD pid;
    HWND found;
};

static BOOL CALLBACK match_box(HWND hwnd, LPARAM param)
{
    struct box_search *search = (struct box_search *)param;
    char cls[16];
    DWORD pid = 0;

    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || !GetClassNameA(hwnd, cls, sizeof cls) || strcmp(cls, "#32770"))
        return TRUE;
    /* The box is shown only once its caption, text and buttons are in place. */
    if (!IsWindowVisible(hwnd) || !GetDlgItem(hwnd, 0xFFFF))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

static HWND find_box(DWORD pid)
{
    struct box_search search = { pid, NULL };
    EnumWindows(match_box, (LPARAM)&search);
    return search.found;
}

/* Reads a window's text with WM_GETTEXT, which works across processes. Not
   with SMTO_ABORTIFHUNG: the uninstaller handles no messages while it removes,
   so its second box can count as hung for a moment after it appears. */
static void window_text(HWND hwnd, char *buf, int size)
{
    DWORD_PTR len = 0;
    buf[0] = '\0';
    if (hwnd && SendMessageTimeoutA(hwnd, WM_GETTEXT, size, (LPARAM)buf, SMTO_NORMAL, 30000, &len))
        buf[len < (DWORD_PTR)size ? len : (DWORD_PTR)size - 1] = '\0';
}

/* Writes the text on one line: control characters and the backslash become C escapes. */
static void print_escaped(const char *s)
{
    for (; *s; s++) {
        if (*s == '\n') fputs("\\n", stdout);
        else if (*s == '\r') fputs("\\r", stdout);
        else if (*s == '\t') fputs("\\t", stdout);
        else if (*s == '\\') fputs("\\\\", stdout);
        else putchar(*s);
    }
}

/* Presses the button as a user would; if the box is still there a second later,
   delivers the button's command to the box directly. */
static void press(HWND box, int id, DWORD deadline)
{
    HWND button = GetDlgItem(box, id);
    DWORD clicked = GetTickCount();
    int fallback_sent = 0;

    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 30000, NULL);
    while (IsWindow(box) && (LONG)(deadline - GetTickCount()) > 0) {
        if (!fallback_sent && GetTickCount() - clicked > 1000) {
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
            fallback_sent = 1;
        }
        Sleep(POLL_MS);
    }
}

/* Runs one command line to its end; answers[0..count) are "yes" or "no".
   Returns 0 when the program ended, 1 on timeout or when it could not start. */
static int run(const char *cmdline, char **answers, int count, DWORD timeout_s)
{
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    DWORD deadline, code = 0;
    char *line = _strdup(cmdline);  /* CreateProcessA may write into its command line */
    int next = 0;

    memset(&si, 0, sizeof si);
    si.cb = sizeof si;
    if (!line || !CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        printf("start failed: error %lu\n", GetLastError());
        fflush(stdout);
        free(line);
        return 1;
    }
    free(line);

    deadline = GetTickCount() + timeout_s * 1000;
    while (WaitForSingleObject(pi.hProcess, POLL_MS) != WAIT_OBJECT_0) {
        HWND box;
        if ((LONG)(deadline - GetTickCount()) <= 0) {
            printf("timeout\n");
            fflush(stdout);
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 5000);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            return 1;
        }
        box = find_box(pi.dwProcessId);
        if (box) {
            char caption[TEXT_SIZE], text[TEXT_SIZE];
            int yes = next < count && !strcmp(answers[next], "yes");
            next++;
            window_text(box, caption, sizeof caption);
            window_text(GetDlgItem(box, 0xFFFF), text, sizeof text);
            fputs("box: ", stdout);
            print_escaped(caption);
            fputs(" | ", stdout);
            print_escaped(text);
            putchar('\n');
            fflush(stdout);
            press(box, yes ? IDYES : IDNO, deadline);
        }
    }
    GetExitCodeProcess(pi.hProcess, &code);
    printf("exit: %lu\n", code);
    fflush(stdout);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}

static int usage(void)
{
    fprintf(stderr, "usage: drive.exe [--timeout SEC] COMMANDLINE [yes|no]... "
                    "[--then COMMANDLINE [yes|no]...]...\n");
    return 2;
}

int main(int argc, char **argv)
{
    DWORD timeout_s = 120;
    int first = 1, i, start, end, several = 0, failed = 0;

    if (argc > 2 && !strcmp(argv[1], "--timeout")) {
        timeout_s = (DWORD)atoi(argv[2]);
        first = 3;
    }
    if (first >= argc || !strcmp(argv[first], "--then"))
        return usage();
    for (i = first + 1; i < argc; i++) {
        if (!strcmp(argv[i], "--then")) {
            if (i + 1 >= argc)
                return usage();
            several = 1;
            i++;
        } else if (strcmp(argv[i], "yes") && strcmp(argv[i], "no")) {
            fprintf(stderr, "drive: answer must be yes or no: %s\n", argv[i]);
            return 2;
        }
    }

    for (start = first; start < argc; start = end + 1) {
        for (end = start + 1; end < argc && strcmp(argv[end], "--then"); end++)
            ;
        if (several) {
            fputs("run: ", stdout);
            print_escaped(argv[start]);
            putchar('\n');
        }
        failed |= run(argv[start], argv + start + 1, end - start - 1, timeout_s);
    }
    return failed;
}
