#pragma once
// The ActiveX script control with JScript (or VBScript). Calls that fail
// give an empty text, empty bytes or 0; the control's Error object keeps
// the details for ErrorText.

#include "common/Com.h"

#include <string>

class ScriptHost {
public:
    // Initialises COM on the calling thread, which then owns the host, and
    // selects JScript. Without the control every call gives an empty result.
    ScriptHost();
    // A copy shares the control and its Error object.
    ScriptHost(const ScriptHost& other);
    ScriptHost& operator=(const ScriptHost&) = delete;
    ~ScriptHost() = default;

    // "【第L 行，第C列 错误】【代码：N】【源：S】【描述：D】【语句：T】" of the
    // control's last error.
    std::string ErrorText() const;
    // The control's current language.
    std::string Language() const;
    // Sets the language: "JScript" stays; any other text becomes "VBScript",
    // written back into the caller's variable. Returns the control's language.
    std::string Language(std::string& newLanguage) const;
    std::string Eval(const std::string& expression) const;
    int ExecuteStatement(const std::string& statement) const;
    std::string Run(const std::string& procedure, const std::string& a1 = {},
                    const std::string& a2 = {}, const std::string& a3 = {},
                    const std::string& a4 = {}, const std::string& a5 = {}) const;
    // The two integers are passed by reference, so the script may change them.
    std::string RunTyped(const std::string& procedure, const std::string& t1, const std::string& t2,
                         int& i1, int& i2, const std::string& t3, const std::string& t4) const;
    // A byte-array result; empty bytes for anything else.
    std::string RunBytes(const std::string& procedure, const std::string& a1 = {},
                         const std::string& a2 = {}, const std::string& a3 = {},
                         const std::string& a4 = {}, const std::string& a5 = {}) const;
    int Reset() const;
    int AddCode(const std::string& code) const;

private:
    std::optional<Variant> RunCall(const std::string& procedure, const std::string& a1,
                                   const std::string& a2, const std::string& a3,
                                   const std::string& a4, const std::string& a5) const;

    // Declared first so that it goes last: the objects are released while
    // COM is still initialised.
    ComApartment apartment_;
    DispatchObject scriptControl_;
    DispatchObject errorObject_;
};
