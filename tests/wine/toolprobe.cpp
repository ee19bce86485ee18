// A stand-in tool for the runner's tests: writes known text to standard
// output and standard error.
//   toolprobe order        four lines, alternating between the two streams
//   toolprobe big N        N lines of 98 characters plus CR LF
//   toolprobe touch PATH   creates PATH (proves that it ran)
//   toolprobe window S     shows a window "toolprobe window" in front for S seconds
//   toolprobe /ANYTHING    as a planted BCDEDIT.EXE: creates "planted-tool-ran" in
//                          the current folder, prints nothing and exits with 1
#include <fcntl.h>
#include <windows.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static void Put(FILE* stream, const char* text)
{
    fputs(text, stream);
    fflush(stream);
}

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc >= 2 && std::strcmp(argv[1], "order") == 0) {
        Put(stdout, "out 1\r\n");
        Put(stderr, "err 1\r\n");
        Put(stdout, "out 2\r\n");
        Put(stderr, "err 2\r\n");
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "big") == 0) {
        long lines = std::atol(argv[2]);
        std::string line(98, 'x');
        for (long i = 0; i < lines; ++i) {
            char head[16];
            std::snprintf(head, sizeof head, "%08ld", i);
            line.replace(0, 8, head);
            fwrite(line.data(), 1, line.size(), stdout);
            fwrite("\r\n", 1, 2, stdout);
        }
        fflush(stdout);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "touch") == 0) {
        FILE* file = std::fopen(argv[2], "wb");
        if (file)
            std::fclose(file);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "window") == 0) {
        HWND window = CreateWindowExA(0, "STATIC", "toolprobe window",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200, 100,
                                      nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        DWORD end = GetTickCount() + 1000 * static_cast<DWORD>(std::atol(argv[2]));
        while (GetTickCount() < end) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(20);
        }
        return 0;
    }
    if (argc >= 2 && argv[1][0] == '/') {
        FILE* file = std::fopen("planted-tool-ran", "wb");
        if (file)
            std::fclose(file);
        return 1;
    }
    return 2;
}
