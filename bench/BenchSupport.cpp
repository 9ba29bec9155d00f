// The clock, result lines and file writing of the Windows-side benchmarks.
#include "BenchSupport.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return double(value.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / frequency;
}

int CallsPerSample(double seconds) {
    const double sample = 0.040;
    if (seconds <= 0) return 1000;
    int calls = int(sample / seconds + 0.5);
    return calls < 1 ? 1 : calls > 1000 ? 1000 : calls;
}

void Emit(const char* group, const std::string& benchCase, int repetition, const char* subject, double value) {
    std::printf("%s\t%s\t%d\t%s\t%.9g\n", group, benchCase.c_str(), repetition, subject, value);
    std::fflush(stdout);
}

void Say(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

bool WriteWholeFile(const std::string& path, const void* bytes, size_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const char* at = static_cast<const char*>(bytes);
    bool ok = true;
    while (ok && size > 0) {
        DWORD chunk = size > (1u << 30) ? (1u << 30) : DWORD(size);
        DWORD written = 0;
        ok = WriteFile(file, at, chunk, &written, nullptr) && written == chunk;
        at += chunk;
        size -= chunk;
    }
    CloseHandle(file);
    return ok;
}

std::string PictureName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "p%05d.bmp", number);
    return name;
}

void MakeEmptyPictures(const std::string& folder, int count) {
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int number = 0; number < count; ++number) {
        std::string path = folder + "\\" + PictureName(number);
        if (!WriteWholeFile(path, nullptr, 0)) Fail("cannot make " + path);
    }
}

std::vector<std::string> MakePictureFolders(const std::string& folder, int folders, int picturesEach) {
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> made;
    for (int number = 0; number < folders; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "\\d%03d", number);
        made.push_back(folder + name);
        MakeEmptyPictures(made.back(), picturesEach);
    }
    return made;
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "bench: %s (error %lu)\n", what.c_str(), GetLastError());
    std::exit(1);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
