#include "app/TaskbarCheck.h"

#include <windows.h>

void RequireTaskbarList(ITaskbarList*& taskbarList) {
    CLSID clsid{};
    IID iid{};
    CLSIDFromString(L"{56FDF344-FD6D-11d0-958A-006097C9A090}", &clsid);
    CLSIDFromString(L"{56FDF342-FD6D-11d0-958A-006097C9A090}", &iid);
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid,
                                        reinterpret_cast<void**>(&taskbarList));
    if (hr != S_OK) {
        MessageBoxW(nullptr, L"获取ITaskbarList接口失败！", L"", MB_ICONERROR);
        ExitProcess(1);
    }
}
