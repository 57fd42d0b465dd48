#include "orvik/eval/eval.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "orvik/eval/number_text.h"
#include "orvik/eval/tokenizer.h"

namespace orvik {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

TValMap MakeValues(const Values& values) {
    TValMap table;
    for (const auto& [name, text] : values) table[name].value = text;
    return table;
}

// One row: the expression and either its result text or its failure message.
struct ExpressionCase {
    std::string name;
    std::string expression;
    std::optional<std::string> result;
    std::optional<std::string> failure;
    Values values;
};

ExpressionCase Gives(std::string name, std::string expression, std::string result, Values values = {}) {
    return {std::move(name), std::move(expression), std::move(result), std::nullopt, std::move(values)};
}

ExpressionCase Fails(std::string name, std::string expression, std::string failure, Values values = {}) {
    return {std::move(name), std::move(expression), std::nullopt, std::move(failure), std::move(values)};
}

std::string RowName(const testing::TestParamInfo<ExpressionCase>& info) { return info.param.name; }

// Compiles and evaluates; the failure message when either step throws.
std::pair<std::string, bool> CompileAndEvaluate(const std::string& expression, const TValMap& values) {
    CEval eval;
    try {
        eval.Compile(expression);
        return {eval.Evaluate(values), true};
    } catch (const EvalError& error) {
        return {error.what(), false};
    }
}

class ExpressionTest : public testing::TestWithParam<ExpressionCase> {};

TEST_P(ExpressionTest, EvaluatesToResultOrFailure) {
    const ExpressionCase& row = GetParam();
    const auto [text, succeeded] = CompileAndEvaluate(row.expression, MakeValues(row.values));
    if (row.result) {
        EXPECT_TRUE(succeeded) << "failed with: " << text;
        EXPECT_EQ(text, *row.result);
    } else {
        EXPECT_FALSE(succeeded) << "gave: " << text;
        EXPECT_EQ(text, *row.failure);
    }
}

const Values kModes = {{"Mode", "fast"}, {"Mode2", "slow"}};

const ExpressionCase kGoldenExpressionRows[] = {
    Gives("MultiplicationFirst", "1+2*3", "7"),
    Gives("Parentheses", "(1+2)*3", "9"),
    Gives("Division", "7/2", "3.5"),
    Gives("Remainder", "7%2", "1"),
    Gives("MinusGroupsLeft", "10-4-3", "3"),
    Gives("UnaryGroupsRight", "!!5", "1"),
    Gives("SpacesIgnored", "1 < 2", "1"),
    Gives("HexLiteral", "0x10+1", "17"),
    Fails("LowerCaseHexIsAName", "0xff+1", "Variable 0xff not found."),
    Gives("CapitalExponentIsNumber", "1E5+0", "100000"),
    Fails("SmallExponentIsAName", "1e5+0", "Variable 1e5 not found."),
    Gives("CapitalLettersReadAsZero", "A+1", "1"),
    Gives("StringComparisonWithLiteral", "Mode=='fast'", "1", kModes),
    Gives("NamesCompareAsNumbers", "Mode==Mode2", "1", kModes),
    Gives("Concatenation", "'ab'+'cd'", "abcd"),
    Gives("NumericConcatenation", "'12'+'3'", "123"),
    Gives("RemoveEveryOccurrence", "'banana'-'an'", "ba"),
    Fails("ConditionalOnStrings", "1?'a':'b'", "? is not a valid string operator"),
    Fails("CommaNeverEvaluates", "1,2", ", is not a supported operator"),
    Fails("AssignmentDoesNotCompile", "a=b", "= is not a supported operator"),
    Gives("ConditionalInParentheses", "(1?2:3)+1", "3"),
    Gives("ChainedConditionalFirst", "1?2:0?3:4", "2"),
    Gives("ChainedConditionalLast", "0?2:0?3:4", "4"),
    Fails("MissingVariable", "Foo+1", "Variable Foo not found."),
};

INSTANTIATE_TEST_SUITE_P(GoldenExpressions, ExpressionTest, testing::ValuesIn(kGoldenExpressionRows), RowName);

const ExpressionCase kPrecedenceAndAssociativityRows[] = {
    Gives("SumBeforeShift", "1+2<<1", "6"),
    Gives("ShiftBeforeComparison", "1<<2>3", "1"),
    Gives("ComparisonBeforeEquality", "1<2==1", "1"),
    Gives("AndBeforeOr", "6&3|8", "10"),
    Gives("XorBeforeOr", "1|2^3", "1"),
    Gives("AndBeforeXor", "5&3^1", "0"),
    Gives("LogicalAndBeforeOr", "1||0&&0", "1"),
    Gives("EqualityBeforeAnd", "3&1==1", "1"),
    Gives("ProductThenRemainder", "2*3%4", "2"),
    Gives("DivisionGroupsLeft", "8/2/2", "2"),
    Gives("MinusPlusGroupLeft", "2-3+4", "3"),
    Gives("ShiftsGroupLeft", "1<<2<<1", "8"),
    Gives("RightShiftsGroupLeft", "16>>2>>1", "2"),
    Gives("UnaryBeforeSum", "!5+1", "1"),
    Gives("UnaryOnRightOperand", "1+!0", "2"),
    Gives("DoubleComplement", "~~5", "5"),
    Gives("UnmatchedOpenIsDropped", "((1+2)", "3"),
    Gives("UnmatchedCloseFlushesOperators", "1+2)*3", "9"),
};

INSTANTIATE_TEST_SUITE_P(PrecedenceAndAssociativity, ExpressionTest, testing::ValuesIn(kPrecedenceAndAssociativityRows),
                         RowName);

const ExpressionCase kNumericOperationsRows[] = {
    Gives("Complement", "~0", "-1"),
    Gives("NotZero", "!0", "1"),
    Gives("NotTruncates", "!0.5", "1"),
    Gives("RemainderTakesSignOfLeft", "(0-7)%2", "-1"),
    Gives("RemainderOfNegativeDivisor", "7%(0-2)", "1"),
    Gives("RemainderTruncatesOperands", "7.9%2.9", "1"),
    Gives("ShiftCountModulo32", "1<<33", "2"),
    Gives("ArithmeticRightShift", "(0-16)>>2", "-4"),
    Gives("HalfIsFalse", "0.5&&1", "0"),
    Gives("HalfIsFalseForOr", "0.5||0", "0"),
    Gives("LogicalAnd", "2&&3", "1"),
    Gives("GreaterOrEqual", "2>=2", "1"),
    Gives("LessOrEqual", "2<=1", "0"),
    Gives("NotEqual", "1!=1", "0"),
    Gives("TenSignificantDigits", "1/3", "0.3333333333"),
    Gives("RoundedSum", "0.1+0.2", "0.3"),
    Gives("ExponentNotation", "1E5*1E5", "1e+10"),
    Gives("NegativeResult", "0-1", "-1"),
    Gives("NumberTextKeptWhenAlone", "1E5", "1E5"),
    Gives("LargestHexLiteral", "0x7FFFFFFF", "2147483647"),
    Gives("UnsignedTextKeepsItsBits", "Big&255", "255", {{"Big", "4294967295"}}),
    Gives("UnsignedTextShiftsAsSigned", "(Big>>24)&255", "255", {{"Big", "4294967295"}}),
    Gives("ValueTextReadFromItsStart", "V*2", "2", {{"V", "1+2"}}),
    Gives("NameWithDotAndUnderscore", "a.b_c+1", "3", {{"a.b_c", "2"}}),
    Gives("NonNumericValueCountsAsZero", "Mode+1", "1", kModes),
};

INSTANTIATE_TEST_SUITE_P(NumericOperations, ExpressionTest, testing::ValuesIn(kNumericOperationsRows), RowName);

const ExpressionCase kStringOperationsRows[] = {
    Gives("EqualTexts", "'a'=='a'", "1"),
    Gives("DifferentTexts", "'a'!='b'", "1"),
    Gives("StringResultStaysString", "'ab'+'cd'+1", "abcd1"),
    Gives("NumericResultBecomesNumber", "'12'+'3'+1", "124"),
    Gives("EmptyPartRemovesNothing", "'abc'-''", "abc"),
    Gives("EverythingRemoved", "'aaa'-'a'", ""),
    Gives("ValueBeforeLiteral", "Mode+'x'", "fastx", kModes),
    Gives("LiteralBeforeValue", "'x'+Mode", "xfast", kModes),
    Gives("SpacesRemovedInLiterals", "'a b'", "ab"),
    Gives("EmptyLiteral", "X==''", "1", {{"X", ""}}),
    Gives("PunctuationLiterals", "'+'+'-'", "+-"),
    Gives("LiteralAfterOperator", "'a'+'-b'", "a-b"),
    Fails("ProductOfStrings", "'ab'*2", "* is not a valid string operator"),
    Fails("NotOfString", "!'a'", "! is not a valid string operator"),
};

INSTANTIATE_TEST_SUITE_P(StringOperations, ExpressionTest, testing::ValuesIn(kStringOperationsRows), RowName);

const ExpressionCase kConditionalRows[] = {
    Gives("TrueBranch", "1?2:3", "2"),
    Gives("FalseBranch", "0?2:3", "3"),
    Gives("NonZeroFractionIsTrue", "0.5?2:3", "2"),
    Gives("NestedInTrueBranch", "1?0?5:6:7", "6"),
    Gives("WeakerThanSum", "1+1?10:20", "10"),
    Gives("BranchKeepsItsOperators", "0?1:2+3", "5"),
    Gives("ParenthesisedConditional", "(0?1:2)*3", "6"),
    Gives("ResultIsFormatted", "1?Mode:2", "0", kModes),
};

INSTANTIATE_TEST_SUITE_P(Conditional, ExpressionTest, testing::ValuesIn(kConditionalRows), RowName);

const ExpressionCase kFailuresRows[] = {
    Fails("EmptyExpression", "", "Empty expression"),
    Fails("OnlyParentheses", "()", "Empty expression"),
    Fails("LeadingMinus", "-1", "- is missing an operand"),
    Fails("NotWithoutOperand", "!", "! is missing an operand"),
    Fails("ConditionalWithoutColon", "1?2", "? is missing an operand"),
    Fails("DivisionByZero", "1/0", "Division by zero"),
    Fails("RemainderByTruncatedZero", "1%0.5", "Division by zero"),
    Fails("HexAboveSigned32", "0x80000000", "Hexadecimal literal 0x80000000 is larger than 0x7FFFFFFF"),
    Fails("HexWithoutDigits", "0x+1", "0x is not a valid hexadecimal literal"),
    Fails("HexWithFullStop", "0x1.5", "0x1.5 is not a valid hexadecimal literal"),
    Fails("UnterminatedLiteral", "'abc", "Unterminated string literal"),
    Fails("UnknownOperatorAfterKnown", "1+#2", "# is not a supported operator"),
    Fails("WholeRunInMessage", "1=(2", "=( is not a supported operator"),
    Fails("TabIsNoOperator", "1\t+2", "\t+ is not a supported operator"),
    Fails("InfiniteSum", "1E999+0", "Result of + is out of range"),
    Fails("OverflowingProduct", "1E300*1E300", "Result of * is out of range"),
    Fails("InfiniteIntegerOperand", "1E999&1", "1E999 is out of range for &"),
};

INSTANTIATE_TEST_SUITE_P(Failures, ExpressionTest, testing::ValuesIn(kFailuresRows), RowName);

// Postfix order of the compiled expression, token texts joined by spaces.
struct PostfixCase {
    std::string name;
    std::string expression;
    std::string postfix;
};

class PostfixTest : public testing::TestWithParam<PostfixCase> {};

TEST_P(PostfixTest, CompilesToPostfixOrder) {
    CEval eval;
    eval.Compile(GetParam().expression);
    std::string joined;
    for (const TOKEN& token : eval.Compiled()) joined += (joined.empty() ? "" : " ") + token.text;
    EXPECT_EQ(joined, GetParam().postfix);
}

const PostfixCase kCompileRows[] = {
    PostfixCase{"Conditional", "a?b:c", "a b c ?"},
    PostfixCase{"ConditionalInElseBranch", "a?b:c?d:e", "a b c d e ? ?"},
    PostfixCase{"ConditionalInThenBranch", "a?b?c:d:e", "a b c d ? e ?"},
    PostfixCase{"Precedence", "1+2*3", "1 2 3 * +"},
    PostfixCase{"LeftAssociative", "10-4-3", "10 4 - 3 -"},
    PostfixCase{"RightAssociative", "!!5", "5 ! !"},
    PostfixCase{"Parentheses", "(1+2)*3", "1 2 + 3 *"},
    PostfixCase{"ConditionWithOperator", "a+b?c:d", "a b + c d ?"},
    PostfixCase{"ConditionalInParentheses", "(a?b:c)+1", "a b c ? 1 +"},
    PostfixCase{"UnmatchedOpen", "((1+2)", "1 2 +"},
    PostfixCase{"UnmatchedClose", "1+2)*3", "1 2 + 3 *"},
    PostfixCase{"HexAsDecimal", "0x1F+1", "31 1 +"},
    PostfixCase{"CommaCompiles", "1,2", "1 2 ,"},
};

INSTANTIATE_TEST_SUITE_P(Compile, PostfixTest, testing::ValuesIn(kCompileRows),
                         [](const testing::TestParamInfo<PostfixCase>& testInfo) { return testInfo.param.name; });

// The kind and text a single word is tokenized to.
struct WordCase {
    std::string name;
    std::string expression;
    TOKEN token;
};

class WordTest : public testing::TestWithParam<WordCase> {};

TEST_P(WordTest, ClassifiesWord) {
    const std::vector<TOKEN> tokens = Tokenize(GetParam().expression, MakeOperatorTable());
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0], GetParam().token);
}

const WordCase kTokenizeRows[] = {
    WordCase{"DecimalNumber", "1.5", {"1.5", kTokenNumber}},
    WordCase{"CapitalExponent", "1E5", {"1E5", kTokenNumber}},
    WordCase{"CapitalHexDigitsAreNumber", "CAFE", {"CAFE", kTokenNumber}},
    WordCase{"HexLiteral", "0x1F", {"31", kTokenHex}},
    WordCase{"LowerCaseHexIsName", "0xff", {"0xff", kTokenName}},
    WordCase{"LoneX", "x", {"x", kTokenName}},
    WordCase{"InnerX", "1x2", {"1x2", kTokenName}},
    WordCase{"DottedName", "a.b", {"a.b", kTokenName}},
    WordCase{"SpacesJoinWords", "a b", {"ab", kTokenName}},
    WordCase{"StringLiteral", "'a b'", {"ab", kTokenString}},
    WordCase{"Parenthesis", "(", {"(", kTokenPunctuation}},
};

INSTANTIATE_TEST_SUITE_P(Tokenize, WordTest, testing::ValuesIn(kTokenizeRows),
                         [](const testing::TestParamInfo<WordCase>& testInfo) { return testInfo.param.name; });

TEST(TokenizeTest, LongestOperatorWins) {
    const std::vector<TOKEN> tokens = Tokenize("a<=b!=c&&d", MakeOperatorTable());
    const std::vector<TOKEN> expected = {{"a", kTokenName},      {"<=", kTokenOperator}, {"b", kTokenName},
                                         {"!=", kTokenOperator}, {"c", kTokenName},      {"&&", kTokenOperator},
                                         {"d", kTokenName}};
    EXPECT_EQ(tokens, expected);
}

TEST(OperatorTableTest, HoldsTheTwentyOneOperators) {
    struct Row {
        const char* text;
        OPF opf;
    };
    const Row rows[] = {{",", {0, 2, true}},  {"||", {1, 2, true}}, {"&&", {2, 2, true}}, {"|", {3, 2, true}},
                        {"^", {4, 2, true}},  {"&", {5, 2, true}},  {"!=", {6, 2, true}}, {"==", {6, 2, true}},
                        {">=", {7, 2, true}}, {"<=", {7, 2, true}}, {">", {7, 2, true}},  {"<", {7, 2, true}},
                        {"<<", {8, 2, true}}, {">>", {8, 2, true}}, {"-", {9, 2, true}},  {"+", {9, 2, true}},
                        {"*", {10, 2, true}}, {"%", {10, 2, true}}, {"/", {10, 2, true}}, {"!", {11, 1, false}},
                        {"~", {11, 1, false}}};
    const CEval eval;
    ASSERT_EQ(eval.Operators().size(), std::size(rows));
    for (const Row& row : rows) {
        const auto found = eval.Operators().find(row.text);
        ASSERT_NE(found, eval.Operators().end()) << row.text;
        EXPECT_EQ(found->second.precedence, row.opf.precedence) << row.text;
        EXPECT_EQ(found->second.operands, row.opf.operands) << row.text;
        EXPECT_EQ(found->second.leftAssociative, row.opf.leftAssociative) << row.text;
    }
}

TEST(CEvalTest, CompiledExpressionEvaluatesAgainstChangingValues) {
    CEval eval;
    eval.Compile("Rate*2+Offset");
    TValMap values = MakeValues({{"Rate", "3"}, {"Offset", "1"}});
    EXPECT_EQ(eval.Evaluate(values), "7");
    values["Rate"].value = "10";
    EXPECT_EQ(eval.Evaluate(values), "21");
    EXPECT_EQ(eval.Operators().size(), 21u);  // lookups of names never add operators
}

TEST(CEvalTest, EvaluatesAgainstTheMemoryMap) {
    TMemMap memory;
    memory["Loc_Rate"].value = "4660";
    CEval eval;
    eval.Compile("Loc_Rate&255");
    EXPECT_EQ(eval.Evaluate(memory), "52");
    EXPECT_DOUBLE_EQ(eval.EvaluateNumber(memory), 52.0);
}

TEST(CEvalTest, FailedCompileLeavesNothingCompiled) {
    CEval eval;
    eval.Compile("1+1");
    EXPECT_THROW(eval.Compile("1=1"), EvalError);
    EXPECT_TRUE(eval.Compiled().empty());
    try {
        (void)eval.Evaluate(TValMap{});
        FAIL() << "an old expression was evaluated";
    } catch (const EvalError& error) {
        EXPECT_STREQ(error.what(), "Empty expression");
    }
}

struct NumberResultCase {
    std::string name;
    std::string expression;
    std::optional<double> number;
    std::string failure;
};

class EvaluateNumberTest : public testing::TestWithParam<NumberResultCase> {};

TEST_P(EvaluateNumberTest, ReadsNumberFromResult) {
    const NumberResultCase& row = GetParam();
    const TValMap values = MakeValues({{"Mode", "fast"}, {"Huge", "1E999"}, {"Rate", " 12.5kHz"}});
    CEval eval;
    eval.Compile(row.expression);
    if (row.number) {
        EXPECT_DOUBLE_EQ(eval.EvaluateNumber(values), *row.number);
        return;
    }
    try {
        (void)eval.EvaluateNumber(values);
        FAIL() << "no failure";
    } catch (const EvalError& error) {
        EXPECT_EQ(error.what(), row.failure);
    }
}

const NumberResultCase kEvaluateNumberRows[] = {
    NumberResultCase{"Sum", "1+2", 3.0, ""},
    NumberResultCase{"LeadingNumberOfText", "Rate", 12.5, ""},
    NumberResultCase{"Comparison", "Mode=='fast'", 1.0, ""},
    NumberResultCase{"TextWithoutNumber", "Mode", std::nullopt, "fast is not a number"},
    NumberResultCase{"StringResult", "'ab'+'c'", std::nullopt, "abc is not a number"},
    NumberResultCase{"OutOfRangeText", "Huge", std::nullopt, "1E999 is out of range"},
};

INSTANTIATE_TEST_SUITE_P(EvaluateNumber, EvaluateNumberTest, testing::ValuesIn(kEvaluateNumberRows),
                         [](const testing::TestParamInfo<NumberResultCase>& testInfo) { return testInfo.param.name; });

// The quick test a concatenation's result kind uses agrees with the full reading.
TEST(NumberTextTest, StartsWithNumberAgreesWithReadLeadingNumber) {
    for (const char* text : {"", " ", "x", "1", " 12abc", "-3", "+.5", ".5", ".", "-.", "+", "-x", "\t\n7", "e5",
                             "0x1F", " . 5", "..5", "5."}) {
        EXPECT_EQ(StartsWithNumber(text), ReadLeadingNumber(text).found) << '"' << text << '"';
    }
}

// A chain of concatenations keeps every part, in order, and its kind follows its start.
TEST(CEvalTest, LongConcatenationChainsKeepEveryPart) {
    TValMap values;
    values["V"].value = std::string(1000, 'v');
    values["N"].value = "7";
    std::string expression = "'x'";
    for (int n = 0; n < 50; ++n) expression += "+V+N";
    CEval eval;
    eval.Compile(expression);
    std::string expected = "x";
    for (int n = 0; n < 50; ++n) expected += std::string(1000, 'v') + "7";
    EXPECT_EQ(eval.Evaluate(values), expected);

    eval.Compile("(N+'x'+V)*2");  // "7xvvv..." reads as 7
    EXPECT_EQ(eval.Evaluate(values), "14");
}

TEST(NumberTextTest, FormatsLikePrintfG10) {
    const double values[] = {0.0,      -0.0,    1.0,          -1.0,         2.0,          0.5,           1.0 / 3.0,
                             100000.0, 1e10,    1e-5,         123456789.0,  1234567890.0, 12345678901.0, 0.1 + 0.2,
                             1e300,    -2.5e-7, 4294967295.0, 2147483648.0, 1e15 + 0.3};
    for (double value : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.10g", value);
        EXPECT_EQ(FormatNumber(value), expected) << value;
    }
}

struct LeadingNumberCase {
    std::string name;
    std::string text;
    bool found;
    double value;
};

class LeadingNumberTest : public testing::TestWithParam<LeadingNumberCase> {};

TEST_P(LeadingNumberTest, ReadsDecimalPrefix) {
    const LeadingNumber number = ReadLeadingNumber(GetParam().text);
    EXPECT_EQ(number.found, GetParam().found);
    EXPECT_EQ(number.value, GetParam().value);
}

const LeadingNumberCase kReadLeadingNumberRows[] = {
    LeadingNumberCase{"Integer", "42", true, 42},
    LeadingNumberCase{"TrailingText", "12ab", true, 12},
    LeadingNumberCase{"LeadingWhiteSpace", " \t3.5", true, 3.5},
    LeadingNumberCase{"Negative", "-2", true, -2},
    LeadingNumberCase{"Positive", "+4", true, 4},
    LeadingNumberCase{"NoIntegerPart", ".5", true, 0.5},
    LeadingNumberCase{"NoFraction", "5.", true, 5},
    LeadingNumberCase{"Exponent", "1e3", true, 1000},
    LeadingNumberCase{"IncompleteExponent", "1e+", true, 1},
    LeadingNumberCase{"HexReadsLeadingZero", "0x10", true, 0},
    LeadingNumberCase{"Overflow", "1E999", true, std::numeric_limits<double>::infinity()},
    LeadingNumberCase{"NegativeOverflow", "-1E999", true, -std::numeric_limits<double>::infinity()},
    LeadingNumberCase{"Underflow", "1E-999", true, 0},
    LeadingNumberCase{"Letters", "abc", false, 0},
    LeadingNumberCase{"Empty", "", false, 0},
    LeadingNumberCase{"SignOnly", "-", false, 0},
    LeadingNumberCase{"FullStopOnly", ".", false, 0},
    LeadingNumberCase{"Infinity", "inf", false, 0},
    LeadingNumberCase{"NotANumber", "nan", false, 0},
};

INSTANTIATE_TEST_SUITE_P(ReadLeadingNumber, LeadingNumberTest, testing::ValuesIn(kReadLeadingNumberRows),
                         [](const testing::TestParamInfo<LeadingNumberCase>& testInfo) { return testInfo.param.name; });

TEST(NumberTextTest, TruncatesTowardZeroModulo2To32) {
    struct Row {
        double value;
        int32_t expected;
    };
    const Row rows[] = {{3.9, 3},
                        {-3.9, -3},
                        {300.0, 300},
                        {4294967295.0, -1},
                        {2147483648.0, std::numeric_limits<int32_t>::min()},
                        {-2147483649.0, std::numeric_limits<int32_t>::max()},
                        {4294967296.0 + 5.0, 5},
                        {1e20, static_cast<int32_t>(1661992960)},
                        {std::numeric_limits<double>::infinity(), 0},
                        {-std::numeric_limits<double>::infinity(), 0},
                        {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const Row& row : rows) EXPECT_EQ(TruncateToInt32(row.value), row.expected) << row.value;
}

}  // namespace
}  // namespace orvik
