#include "station/ScriptHost.h"

#include "common/CodePage.h"

namespace {

// A second counted reference to the same object.
DispatchObject Share(IDispatch* dispatch) {
    ComPtr<IDispatch> shared;
    if (dispatch) {
        dispatch->AddRef();
        *shared.Receive() = dispatch;
    }
    return DispatchObject::Wrap(std::move(shared));
}

std::string TextOf(const std::optional<Variant>& value) {
    return value ? FromWide(value->AsText()) : std::string();
}

long NumberOf(const std::optional<Variant>& value) {
    Variant number;
    if (!value ||
        FAILED(VariantChangeType(number.Get(), const_cast<VARIANT*>(&value->Ref()), 0, VT_I4))) {
        return 0;
    }
    return number.Ref().lVal;
}

} // namespace

ScriptHost::ScriptHost()
    : scriptControl_(DispatchObject::Create(L"MSScriptControl.ScriptControl")) {
    if (!scriptControl_) {
        return;
    }
    if (const std::optional<Variant> error = scriptControl_.Get(L"Error");
        error && error->Ref().vt == VT_DISPATCH) {
        errorObject_ = Share(error->Ref().pdispVal);
    }
    std::string language = "JScript";
    Language(language);
}

ScriptHost::ScriptHost(const ScriptHost& other)
    : scriptControl_(Share(other.scriptControl_.Get())),
      errorObject_(Share(other.errorObject_.Get())) {}

std::string ScriptHost::ErrorText() const {
    if (!errorObject_) {
        return {};
    }
    const auto number = [this](const wchar_t* name) {
        return std::to_wstring(NumberOf(errorObject_.Get(name)));
    };
    const auto text = [this](const wchar_t* name) {
        const std::optional<Variant> value = errorObject_.Get(name);
        return value ? value->AsText() : std::wstring();
    };
    return FromWide(L"【第" + number(L"Line") + L" 行，第" + number(L"Column") +
                    L"列 错误】【代码：" + number(L"Number") + L"】【源：" + text(L"Source") +
                    L"】【描述：" + text(L"Description") + L"】【语句：" + text(L"Text") + L"】");
}

std::string ScriptHost::Language() const {
    return TextOf(scriptControl_.Get(L"Language"));
}

std::string ScriptHost::Language(std::string& newLanguage) const {
    if (newLanguage != "JScript") {
        newLanguage = "VBScript";
    }
    scriptControl_.Put(L"Language", {Variant::Text(ToWide(newLanguage)).Ref()});
    return Language();
}

std::string ScriptHost::Eval(const std::string& expression) const {
    return TextOf(scriptControl_.Call(L"Eval", {Variant::Text(ToWide(expression)).Ref()}));
}

int ScriptHost::ExecuteStatement(const std::string& statement) const {
    return static_cast<int>(NumberOf(
        scriptControl_.Call(L"ExecuteStatement", {Variant::Text(ToWide(statement)).Ref()})));
}

std::optional<Variant> ScriptHost::RunCall(const std::string& procedure, const std::string& a1,
                                           const std::string& a2, const std::string& a3,
                                           const std::string& a4, const std::string& a5) const {
    return scriptControl_.Call(
        L"Run", {Variant::Text(ToWide(procedure)).Ref(), Variant::Text(ToWide(a1)).Ref(),
                 Variant::Text(ToWide(a2)).Ref(), Variant::Text(ToWide(a3)).Ref(),
                 Variant::Text(ToWide(a4)).Ref(), Variant::Text(ToWide(a5)).Ref()});
}

std::string ScriptHost::Run(const std::string& procedure, const std::string& a1,
                            const std::string& a2, const std::string& a3, const std::string& a4,
                            const std::string& a5) const {
    return TextOf(RunCall(procedure, a1, a2, a3, a4, a5));
}

std::string ScriptHost::RunTyped(const std::string& procedure, const std::string& t1,
                                 const std::string& t2, int& i1, int& i2, const std::string& t3,
                                 const std::string& t4) const {
    static_assert(sizeof(int) == sizeof(LONG));
    VARIANT byRef1;
    byRef1.vt = VT_I4 | VT_BYREF;
    byRef1.plVal = reinterpret_cast<LONG*>(&i1);
    VARIANT byRef2;
    byRef2.vt = VT_I4 | VT_BYREF;
    byRef2.plVal = reinterpret_cast<LONG*>(&i2);
    return TextOf(scriptControl_.Call(
        L"Run", {Variant::Text(ToWide(procedure)).Ref(), Variant::Text(ToWide(t1)).Ref(),
                 Variant::Text(ToWide(t2)).Ref(), byRef1, byRef2, Variant::Text(ToWide(t3)).Ref(),
                 Variant::Text(ToWide(t4)).Ref()}));
}

std::string ScriptHost::RunBytes(const std::string& procedure, const std::string& a1,
                                 const std::string& a2, const std::string& a3,
                                 const std::string& a4, const std::string& a5) const {
    const std::optional<Variant> result = RunCall(procedure, a1, a2, a3, a4, a5);
    return result ? result->AsBytes() : std::string();
}

int ScriptHost::Reset() const {
    scriptControl_.Call(L"Reset");
    return 0;
}

int ScriptHost::AddCode(const std::string& code) const {
    scriptControl_.Call(L"AddCode", {Variant::Text(ToWide(code)).Ref()});
    return 0;
}
