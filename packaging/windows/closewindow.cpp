// The packaging check's hand on the program under Wine: waits for a shown top-level window of
// the given caption, closes it as its close box would, and waits for its process to end by
// itself, since the program ends when its last window closes.
//   closewindow CAPTION [seconds]
// Exit status 0 when the process ended, 1 when no such window showed, 2 when it kept running.

#include <cstdio>
#include <cwchar>
#include <windows.h>

int wmain(int argc, wchar_t *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: closewindow CAPTION [seconds]\n");
        return 2;
    }
    const DWORD timeoutMs = (argc > 2 ? _wtoi(argv[2]) : 30) * 1000;
    const ULONGLONG started = GetTickCount64();
    HWND window = nullptr;
    while (!(window = FindWindowW(nullptr, argv[1])) || !IsWindowVisible(window)) {
        if (GetTickCount64() - started > timeoutMs) {
            std::fprintf(
                stderr, "no shown window \"%ls\" after %lu s\n", argv[1], timeoutMs / 1000);
            return 1;
        }
        Sleep(50);
    }
    RECT client {};
    GetClientRect(window, &client);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    std::printf("window \"%ls\" shown after %llu ms, client area %ld x %ld\n", argv[1],
        GetTickCount64() - started, client.right, client.bottom);

    PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = process && WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    if (process)
        CloseHandle(process);
    if (!ended) {
        std::fprintf(stderr, "the process of \"%ls\" did not end after WM_CLOSE\n", argv[1]);
        return 2;
    }
    std::printf("its process ended by itself after WM_CLOSE\n");
    return 0;
}
