#include "station/ScriptHost.h"

#include "common/CodePage.h"
#include "station/Timestamp.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// "中文" in code page 936.
const std::string kChinese = "\xd6\xd0\xce\xc4";

// Wine's script control lacks two things a Windows program may rely on:
// Run's variable argument list never reaches the control, and Reset leaves
// its JScript engine unable to return to the initialised state.
bool OnWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

long long SystemMilliseconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr long long kTicksFrom1601To1970 = 116444736000000000LL;
    return (ticks - kTicksFrom1601To1970) / 10000;
}

TEST(GetTimestamp, GivesThirteenDigitsOfTheSystemClockInMilliseconds) {
    const long long before = SystemMilliseconds();
    const std::string first = GetTimestamp();
    const std::string second = GetTimestamp();
    const long long after = SystemMilliseconds();
    ASSERT_TRUE(AllDigits(first)) << "[" << first << "]";
    ASSERT_TRUE(AllDigits(second)) << "[" << second << "]";
    EXPECT_EQ(first.size(), 13u);
    EXPECT_LE(std::stoll(first), std::stoll(second)) << "time went backwards";
    // The script's clock and the system's may round differently: a second of slack.
    EXPECT_GE(std::stoll(first), before - 1000);
    EXPECT_LE(std::stoll(second), after + 1000);
}

TEST(ScriptHost, StartsWithJScript) {
    const ScriptHost host;
    EXPECT_EQ(host.Language(), "JScript");
    EXPECT_EQ(host.Eval("[1, 2, 3].length * 2"), "6");
    EXPECT_EQ(host.Eval("typeof function () {}"), "function");
}

TEST(ScriptHost, EvalTurnsResultsIntoProgramText) {
    const ScriptHost host;
    EXPECT_EQ(host.Eval("0.5 + 1"), "1.5");
    EXPECT_EQ(host.Eval("'" + kChinese + "' + 'x'"), kChinese + "x");
    EXPECT_EQ(host.Eval("'" + kChinese + "'.length"), "2") << "two characters, not four bytes";
}

TEST(ScriptHost, AnyLanguageButExactlyJScriptBecomesVBScript) {
    for (const char* asked : {"jscript", "JavaScript", "VBScript", ""}) {
        const ScriptHost host;
        std::string language = asked;
        EXPECT_EQ(host.Language(language), "VBScript") << asked;
        EXPECT_EQ(language, "VBScript") << "written back for " << asked;
    }
    const ScriptHost host;
    std::string language = "JScript";
    EXPECT_EQ(host.Language(language), "JScript");
    EXPECT_EQ(language, "JScript");
}

TEST(ScriptHost, StatementsAndAddedCodeStayForLaterCalls) {
    const ScriptHost host;
    EXPECT_EQ(host.ExecuteStatement("var counter = 20; counter += 1;"), 0);
    EXPECT_EQ(host.AddCode("function twice(v) { return v + v; }"), 0);
    EXPECT_EQ(host.Eval("twice(counter)"), "42");
}

TEST(ScriptHost, ResetDropsTheCodeAndKeepsTheLanguage) {
    const ScriptHost host;
    host.AddCode("function twice(v) { return v + v; }");
    EXPECT_EQ(host.Reset(), 0);
    if (OnWine()) {
        GTEST_SKIP() << "Wine's JScript cannot be reset";
    }
    EXPECT_EQ(host.Eval("typeof twice"), "undefined");
    EXPECT_EQ(host.Language(), "JScript");
}

TEST(ScriptHost, CopiesShareTheControl) {
    const ScriptHost original;
    {
        const ScriptHost copy(original);
        copy.ExecuteStatement("var shared = 'from the copy';");
    }
    EXPECT_EQ(original.Eval("shared"), "from the copy");
}

TEST(ScriptHost, AFailedEvaluationGivesAnEmptyTextAndAFramedError) {
    const ScriptHost host;
    EXPECT_EQ(host.Eval("1 +"), "");
    // Compared in UTF-16, so a failure shows readable text.
    const std::wstring error = ToWide(host.ErrorText());
    ASSERT_TRUE(error.starts_with(L"【第1 行，第")) << FromWide(error, CP_UTF8);
    const std::wstring frame[] = {L" 行，第",    L"列 错误】【代码：", L"】【源：",
                                  L"】【描述：", L"】【语句：",        L"】"};
    std::size_t at = 0;
    for (const std::wstring& piece : frame) {
        const std::size_t found = error.find(piece, at);
        ASSERT_NE(found, std::wstring::npos)
            << "no \"" << FromWide(piece, CP_UTF8) << "\" in " << FromWide(error, CP_UTF8);
        at = found + piece.size();
    }
    EXPECT_EQ(at, error.size()) << FromWide(error, CP_UTF8);
    EXPECT_TRUE(error.ends_with(L"【语句：1 +】")) << FromWide(error, CP_UTF8);
    EXPECT_EQ(error.find(L"【代码：0】"), std::wstring::npos)
        << "the error has a number: " << FromWide(error, CP_UTF8);
    EXPECT_EQ(host.Eval("2 + 3"), "5") << "the host goes on working";
}

TEST(ScriptHost, RunCallsAProcedureWithTextArguments) {
    const ScriptHost host;
    host.AddCode("function join(a, b, c, d, e) { return [a, b, c, d, e].join('|'); }");
    if (OnWine()) {
        EXPECT_EQ(host.Run("join", "x"), "") << "an empty result, not a crash";
        GTEST_SKIP() << "Wine does not pass Run's arguments to the control";
    }
    EXPECT_EQ(host.Run("join", "x", "y"), "x|y|||");
    EXPECT_EQ(host.Run("join", "1", "2", "3", "4", kChinese), "1|2|3|4|" + kChinese);
    EXPECT_EQ(host.Run("noSuchProcedure"), "");
}

TEST(ScriptHost, RunTypedPassesItsIntegersByReference) {
    const ScriptHost host;
    host.AddCode("function typed(a, b, i, j, c, d) { return [a, b, i + j, c, d].join(','); }");
    int i = 40;
    int j = 2;
    if (OnWine()) {
        EXPECT_EQ(host.RunTyped("typed", "a", "b", i, j, "c", "d"), "");
        GTEST_SKIP() << "Wine does not pass Run's arguments to the control";
    }
    EXPECT_EQ(host.RunTyped("typed", "a", "b", i, j, "c", "d"), "a,b,42,c,d");
    EXPECT_EQ(i, 40);
    EXPECT_EQ(j, 2);
}

TEST(ScriptHost, RunBytesGivesEmptyBytesForAnythingButAByteArray) {
    const ScriptHost host;
    host.AddCode("function text() { return 'abc'; }");
    EXPECT_EQ(host.RunBytes("text"), "");
}

} // namespace
