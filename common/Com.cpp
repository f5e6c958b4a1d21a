#include "common/Com.h"

#include <algorithm>
#include <cstring>
#include <vector>

Variant Variant::Text(const std::wstring& text) {
    Variant v;
    v.value_.vt = VT_BSTR;
    v.value_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

Variant Variant::Int(int value) {
    Variant v;
    v.value_.vt = VT_I4;
    v.value_.lVal = value;
    return v;
}

Variant Variant::Bool(bool value) {
    Variant v;
    v.value_.vt = VT_BOOL;
    v.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::Bytes(const std::string& bytes) {
    Variant v;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) {
        return v;
    }
    void* data = nullptr;
    if (SUCCEEDED(SafeArrayAccessData(array, &data))) {
        std::memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
    }
    v.value_.vt = VT_ARRAY | VT_UI1;
    v.value_.parray = array;
    return v;
}

std::wstring Variant::AsText() const {
    if (value_.vt == VT_BSTR) {
        return value_.bstrVal ? std::wstring(value_.bstrVal, SysStringLen(value_.bstrVal))
                              : std::wstring();
    }
    Variant converted;
    if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_BSTR))) {
        return {};
    }
    return converted.AsText();
}

std::string Variant::AsBytes() const {
    if (value_.vt != (VT_ARRAY | VT_UI1) || !value_.parray || SafeArrayGetDim(value_.parray) != 1) {
        return {};
    }
    LONG lower = 0;
    LONG upper = -1;
    SafeArrayGetLBound(value_.parray, 1, &lower);
    SafeArrayGetUBound(value_.parray, 1, &upper);
    if (upper < lower) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(upper - lower + 1), '\0');
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(value_.parray, &data))) {
        return {};
    }
    std::memcpy(bytes.data(), data, bytes.size());
    SafeArrayUnaccessData(value_.parray);
    return bytes;
}

DispatchObject DispatchObject::Create(const wchar_t* progId) {
    DispatchObject object;
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId, &clsid))) {
        return object;
    }
    ComPtr<IDispatch> dispatch;
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                   IID_IDispatch, reinterpret_cast<void**>(dispatch.Receive())))) {
        object.dispatch_ = std::move(dispatch);
    }
    return object;
}

DispatchObject DispatchObject::Wrap(ComPtr<IDispatch> dispatch) {
    DispatchObject object;
    object.dispatch_ = std::move(dispatch);
    return object;
}

std::optional<DISPID> DispatchObject::IdOf(const wchar_t* name) const {
    if (!dispatch_) {
        return std::nullopt;
    }
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return std::nullopt;
    }
    return id;
}

std::optional<Variant>
DispatchObject::Invoke(const wchar_t* name, std::initializer_list<VARIANT> args, WORD kind) const {
    lastError_.clear();
    const std::optional<DISPID> id = IdOf(name);
    if (!id) {
        return std::nullopt;
    }
    // IDispatch takes its arguments last to first.
    std::vector<VARIANT> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params{};
    params.rgvarg = reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    DISPID namedPut = DISPID_PROPERTYPUT;
    if (kind == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &namedPut;
        params.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO exception{};
    const HRESULT hr = dispatch_->Invoke(*id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params,
                                         kind == DISPATCH_PROPERTYPUT ? nullptr : result.Get(),
                                         &exception, nullptr);
    if (exception.bstrDescription) {
        lastError_.assign(exception.bstrDescription, SysStringLen(exception.bstrDescription));
    }
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (FAILED(hr)) {
        return std::nullopt;
    }
    return result;
}

std::optional<Variant> DispatchObject::Call(const wchar_t* name,
                                            std::initializer_list<VARIANT> args, WORD kind) const {
    return Invoke(name, args, kind);
}

bool DispatchObject::Put(const wchar_t* name,
                         std::initializer_list<VARIANT> indexesThenValue) const {
    return Invoke(name, indexesThenValue, DISPATCH_PROPERTYPUT).has_value();
}
