#pragma once
#include "framework/UniqueHandle.h"
#include <windows.h>
#include <string>
#include <thread>

// Tells a window when a file in a folder is made, renamed, written or removed: `message`
// is posted to it (several changes in a row may come as one message, or as many). The
// watch stops with the object.
class FolderWatch {
public:
    FolderWatch() = default;
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;
    ~FolderWatch() { Stop(); }

    // False when the folder cannot be watched (the program then learns of nothing).
    bool Start(const std::string& folder, HWND receiver, UINT message);
    void Stop();

private:
    KernelHandle m_stop;
    std::thread m_thread;
};
