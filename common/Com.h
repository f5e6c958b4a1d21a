#pragma once
// Owners for COM resources: interface pointers, BSTRs, VARIANTs, the
// apartment of a thread, and late-bound calls on automation objects.

#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // For creation functions that write an interface pointer.
    T** Receive() {
        Reset();
        return &ptr_;
    }
    void Reset() {
        if (ptr_) {
            std::exchange(ptr_, nullptr)->Release();
        }
    }

private:
    T* ptr_ = nullptr;
};

class Bstr {
public:
    explicit Bstr(const std::wstring& text)
        : bstr_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(bstr_); }
    BSTR Get() const { return bstr_; }

private:
    BSTR bstr_;
};

// A VARIANT that is cleared when it goes.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
    ~Variant() { VariantClear(&value_); }

    static Variant Text(const std::wstring& text);
    static Variant Int(int value);
    static Variant Bool(bool value);
    // A byte array (VT_ARRAY | VT_UI1).
    static Variant Bytes(const std::string& bytes);

    VARIANT* Get() { return &value_; }
    const VARIANT& Ref() const { return value_; }

    // The value as text, when it is a BSTR (or converts to one).
    std::wstring AsText() const;
    // The bytes of a VT_ARRAY | VT_UI1 value; empty for anything else.
    std::string AsBytes() const;

private:
    VARIANT value_;
};

// CoInitialize for the lifetime of the object, undone only when it succeeded.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }

private:
    bool initialized_;
};

// An automation object reached through IDispatch by member names.
class DispatchObject {
public:
    // Creates the object from its ProgID; empty when the component is missing.
    static DispatchObject Create(const wchar_t* progId);
    static DispatchObject Wrap(ComPtr<IDispatch> dispatch);

    explicit operator bool() const { return static_cast<bool>(dispatch_); }
    IDispatch* Get() const { return dispatch_.Get(); }

    // Calls a method (or reads a property); nullopt when the call fails.
    // Arguments are given in their natural order.
    std::optional<Variant> Call(const wchar_t* name, std::initializer_list<VARIANT> args = {},
                                WORD kind = DISPATCH_METHOD) const;
    std::optional<Variant> Get(const wchar_t* name,
                               std::initializer_list<VARIANT> args = {}) const {
        return Call(name, args, DISPATCH_PROPERTYGET | DISPATCH_METHOD);
    }
    // Writes a property, with index arguments before the value.
    bool Put(const wchar_t* name, std::initializer_list<VARIANT> indexesThenValue) const;

    // The description of the last failed call's exception, when it raised one.
    const std::wstring& LastError() const { return lastError_; }

private:
    std::optional<DISPID> IdOf(const wchar_t* name) const;
    std::optional<Variant> Invoke(const wchar_t* name, std::initializer_list<VARIANT> args,
                                  WORD kind) const;

    ComPtr<IDispatch> dispatch_;
    mutable std::wstring lastError_;
};
