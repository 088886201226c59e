// Parsing and evaluating the expressions of report templates.
#include "host/report/report_expression.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "host/report/report_error.h"

namespace host {

struct ExprNode {
    enum class Kind { Literal, Variable, Field, Page, TotalPages, Line, Call, Unary, Binary };
    Kind kind = Kind::Literal;
    Variant value;          // Literal
    std::string name;       // Variable, Call (upper-cased), Field: dataset
    std::string fieldName;  // Field
    std::string op;         // Unary, Binary
    std::string dataset;    // Call SUM/COUNT: the dataset the argument reads
    std::vector<std::shared_ptr<ExprNode>> args;
};

namespace {

bool isIdentStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalpha(u) || c == '_' || u >= 0xC0 || u == 0xA8 || u == 0xB8;
}
bool isIdentChar(char c) { return isIdentStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '#'; }

std::string upperAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

class ExprParser {
public:
    explicit ExprParser(const std::string& text) : s_(text) {}

    std::shared_ptr<ExprNode> parse() {
        auto node = orExpr();
        skipSpace();
        if (pos_ != s_.size()) fail("unexpected \"" + s_.substr(pos_) + "\"");
        return node;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw ReportError("expression \"" + s_ + "\": " + what);
    }

    void skipSpace() {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    }

    bool take(const std::string& token) {
        skipSpace();
        if (s_.compare(pos_, token.size(), token) != 0) return false;
        pos_ += token.size();
        return true;
    }

    // A word operator (and, or, not) only as a whole word, in any case.
    bool takeWord(const std::string& word) {
        skipSpace();
        if (pos_ + word.size() > s_.size()) return false;
        if (upperAscii(s_.substr(pos_, word.size())) != upperAscii(word)) return false;
        if (pos_ + word.size() < s_.size() && isIdentChar(s_[pos_ + word.size()])) return false;
        pos_ += word.size();
        return true;
    }

    static std::shared_ptr<ExprNode> binary(std::string op, std::shared_ptr<ExprNode> l, std::shared_ptr<ExprNode> r) {
        auto n = std::make_shared<ExprNode>();
        n->kind = ExprNode::Kind::Binary;
        n->op = std::move(op);
        n->args = {std::move(l), std::move(r)};
        return n;
    }

    std::shared_ptr<ExprNode> orExpr() {
        auto left = andExpr();
        while (takeWord("or")) left = binary("or", left, andExpr());
        return left;
    }

    std::shared_ptr<ExprNode> andExpr() {
        auto left = notExpr();
        while (takeWord("and")) left = binary("and", left, notExpr());
        return left;
    }

    std::shared_ptr<ExprNode> notExpr() {
        if (takeWord("not")) {
            auto n = std::make_shared<ExprNode>();
            n->kind = ExprNode::Kind::Unary;
            n->op = "not";
            n->args = {notExpr()};
            return n;
        }
        return comparison();
    }

    std::shared_ptr<ExprNode> comparison() {
        auto left = additive();
        for (const char* op : {"<>", "<=", ">=", "=", "<", ">"})
            if (take(op)) return binary(op, left, additive());
        return left;
    }

    std::shared_ptr<ExprNode> additive() {
        auto left = multiplicative();
        for (;;) {
            if (take("+")) left = binary("+", left, multiplicative());
            else if (take("-")) left = binary("-", left, multiplicative());
            else return left;
        }
    }

    std::shared_ptr<ExprNode> multiplicative() {
        auto left = unary();
        for (;;) {
            if (take("*")) left = binary("*", left, unary());
            else if (take("/")) left = binary("/", left, unary());
            else return left;
        }
    }

    std::shared_ptr<ExprNode> unary() {
        if (take("-")) {
            auto n = std::make_shared<ExprNode>();
            n->kind = ExprNode::Kind::Unary;
            n->op = "-";
            n->args = {unary()};
            return n;
        }
        return primary();
    }

    std::string quoted(char quote) {
        std::string out;
        ++pos_;
        for (;;) {
            if (pos_ >= s_.size()) fail("a quoted text is not closed");
            const char c = s_[pos_++];
            if (c == quote) {
                if (pos_ < s_.size() && s_[pos_] == quote) {
                    out += quote;
                    ++pos_;
                    continue;
                }
                return out;
            }
            out += c;
        }
    }

    std::string identifier() {
        skipSpace();
        if (pos_ >= s_.size() || !isIdentStart(s_[pos_])) fail("a name is expected at position " + std::to_string(pos_ + 1));
        const size_t start = pos_;
        while (pos_ < s_.size() && isIdentChar(s_[pos_])) ++pos_;
        return s_.substr(start, pos_ - start);
    }

    static void collectDataset(const ExprNode& n, std::string& dataset) {
        if (!dataset.empty()) return;
        if (n.kind == ExprNode::Kind::Field) {
            dataset = n.name;
            return;
        }
        for (const auto& a : n.args) collectDataset(*a, dataset);
    }

    std::shared_ptr<ExprNode> primary() {
        skipSpace();
        if (pos_ >= s_.size()) fail("the expression ends too early");
        auto n = std::make_shared<ExprNode>();
        const char c = s_[pos_];
        if (c == '(') {
            ++pos_;
            auto inner = orExpr();
            if (!take(")")) fail("\")\" is missing");
            return inner;
        }
        if (c == '\'') {
            n->value = Variant(quoted('\''));
            return n;
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            const size_t start = pos_;
            while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            bool fraction = false;
            if (pos_ + 1 < s_.size() && s_[pos_] == '.' && std::isdigit(static_cast<unsigned char>(s_[pos_ + 1]))) {
                fraction = true;
                ++pos_;
                while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            }
            const std::string digits = s_.substr(start, pos_ - start);
            n->value = fraction ? Variant(std::strtod(digits.c_str(), nullptr))
                                : Variant(static_cast<std::int64_t>(std::strtoll(digits.c_str(), nullptr, 10)));
            return n;
        }
        const std::string name = identifier();
        const std::string upper = upperAscii(name);
        if (upper == "PAGE#") {
            n->kind = ExprNode::Kind::Page;
            return n;
        }
        if (upper == "LINE#") {
            n->kind = ExprNode::Kind::Line;
            return n;
        }
        if (upper == "TOTALPAGES#") {
            n->kind = ExprNode::Kind::TotalPages;
            return n;
        }
        if (take("(")) {
            n->kind = ExprNode::Kind::Call;
            n->name = upper;
            skipSpace();
            if (!take(")")) {
                do {
                    n->args.push_back(orExpr());
                } while (take(","));
                if (!take(")")) fail("\")\" is missing after the arguments of " + name);
            }
            checkCall(*n);
            return n;
        }
        skipSpace();
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            skipSpace();
            n->kind = ExprNode::Kind::Field;
            n->name = name;
            n->fieldName = (pos_ < s_.size() && s_[pos_] == '"') ? quoted('"') : identifier();
            return n;
        }
        n->kind = ExprNode::Kind::Variable;
        n->name = name;
        return n;
    }

    void checkCall(ExprNode& n) const {
        auto arity = [&](size_t count) {
            if (n.args.size() != count)
                fail(n.name + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s"));
        };
        if (n.name == "SUM") {
            arity(1);
            collectDataset(*n.args[0], n.dataset);
            if (n.dataset.empty()) fail("SUM needs a dataset field in its argument");
        } else if (n.name == "COUNT") {
            if (n.args.size() == 1 && n.args[0]->kind == ExprNode::Kind::Variable) {
                n.dataset = n.args[0]->name;  // COUNT(dataset)
            } else {
                arity(0);
            }
        } else if (n.name == "IIF") {
            arity(3);
        } else if (n.name == "LOOKUP") {
            arity(4);
            if (n.args[0]->kind != ExprNode::Kind::Variable) fail("LOOKUP needs a dataset name first");
        } else if (n.name == "FIXED") {
            arity(2);
        } else {
            fail("unknown function " + n.name);
        }
    }

    const std::string& s_;
    size_t pos_ = 0;
};

bool isNumber(const Variant& v) { return v.isInteger() || v.isFloat(); }

Variant arithmetic(const std::string& op, const Variant& a, const Variant& b) {
    if (op == "+" && !(isNumber(a) || a.isNullOrEmpty()) ) return Variant(displayText(a) + displayText(b));
    if (op == "+" && !(isNumber(b) || b.isNullOrEmpty())) return Variant(displayText(a) + displayText(b));
    double x = 0, y = 0;
    try {
        x = a.toDouble();
        y = b.toDouble();
    } catch (const std::invalid_argument&) {
        throw ReportError("\"" + op + "\" needs numbers, not \"" + displayText(a) + "\" and \"" + displayText(b) + "\"");
    }
    if (a.isInteger() && b.isInteger() && op != "/") {
        const auto i = a.toInteger(), j = b.toInteger();
        if (op == "+") return Variant(i + j);
        if (op == "-") return Variant(i - j);
        return Variant(i * j);
    }
    if (op == "+") return Variant(x + y);
    if (op == "-") return Variant(x - y);
    if (op == "*") return Variant(x * y);
    if (y == 0) throw ReportError("division by zero");
    return Variant(x / y);
}

int compare(const Variant& a, const Variant& b) {
    if (isNumber(a) && isNumber(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const int c = displayText(a).compare(displayText(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Variant truth(bool b) { return Variant(std::int64_t{b ? 1 : 0}); }

}  // namespace

bool isTrue(const Variant& value) {
    if (value.isNullOrEmpty()) return false;
    if (isNumber(value)) return value.toDouble() != 0;
    const std::string text = displayText(value);
    return !text.empty() && text != "0";
}

std::string displayText(const Variant& value) {
    if (value.isArray()) return {};
    return value.toText();
}

const ExprNode& ExpressionScope::parsed(const std::string& expression) {
    auto it = cache_.find(expression);
    if (it == cache_.end()) it = cache_.emplace(expression, ExprParser(expression).parse()).first;
    return *it->second;
}

Variant ExpressionScope::evaluate(const std::string& expression) { return evaluate(parsed(expression)); }

Variant ExpressionScope::evaluate(const ExprNode& n) {
    using Kind = ExprNode::Kind;
    switch (n.kind) {
    case Kind::Literal:
        return n.value;
    case Kind::Page:
        return pageNumber();
    case Kind::TotalPages:
        return totalPages();
    case Kind::Line:
        return lineNumber();
    case Kind::Field:
        return field(n.name, n.fieldName);
    case Kind::Variable: {
        std::string expression;
        if (!variableExpression(n.name, expression)) {
            if (isDataset(n.name)) throw ReportError("dataset " + n.name + " is used without a field");
            throw ReportError("unknown variable " + n.name);
        }
        if (depth_ > 32) throw ReportError("variable " + n.name + " refers to itself");
        ++depth_;
        struct Leave {
            int& d;
            ~Leave() { --d; }
        } leave{depth_};
        // A variable without a value reads as empty text.
        if (expression.find_first_not_of(" \t") == std::string::npos) return Variant(std::string());
        try {
            return evaluate(expression);
        } catch (const ReportError& e) {
            if (depth_ > 1) throw;  // named once, by the outermost variable
            throw ReportError("variable " + n.name + ": " + e.what());
        }
    }
    case Kind::Unary: {
        const Variant v = evaluate(*n.args[0]);
        if (n.op == "not") return truth(!isTrue(v));
        return arithmetic("-", Variant(std::int64_t{0}), v);
    }
    case Kind::Binary: {
        if (n.op == "and") return truth(isTrue(evaluate(*n.args[0])) && isTrue(evaluate(*n.args[1])));
        if (n.op == "or") return truth(isTrue(evaluate(*n.args[0])) || isTrue(evaluate(*n.args[1])));
        const Variant a = evaluate(*n.args[0]);
        const Variant b = evaluate(*n.args[1]);
        if (n.op == "=") return truth(compare(a, b) == 0);
        if (n.op == "<>") return truth(compare(a, b) != 0);
        if (n.op == "<") return truth(compare(a, b) < 0);
        if (n.op == ">") return truth(compare(a, b) > 0);
        if (n.op == "<=") return truth(compare(a, b) <= 0);
        if (n.op == ">=") return truth(compare(a, b) >= 0);
        return arithmetic(n.op, a, b);
    }
    case Kind::Call:
        break;
    }
    if (n.name == "SUM") return sum(*n.args[0], n.dataset);
    if (n.name == "COUNT") return count(n.dataset);
    if (n.name == "IIF") return isTrue(evaluate(*n.args[0])) ? evaluate(*n.args[1]) : evaluate(*n.args[2]);
    if (n.name == "LOOKUP")
        return lookup(n.args[0]->name, displayText(evaluate(*n.args[1])), evaluate(*n.args[2]),
                      displayText(evaluate(*n.args[3])));
    // FIXED
    const Variant number = evaluate(*n.args[0]);
    const auto decimals = evaluate(*n.args[1]).toInteger();
    if (decimals < 0 || decimals > 15) throw ReportError("FIXED takes 0 to 15 decimals");
    double x = 0;
    try {
        x = number.toDouble();
    } catch (const std::invalid_argument&) {
        throw ReportError("FIXED needs a number, not \"" + displayText(number) + "\"");
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", static_cast<int>(decimals), x);
    std::string out = buf;
    if (out.rfind("-", 0) == 0 && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);  // no "-0.00"
    return Variant(out);
}

std::string ExpressionScope::expand(const std::string& text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const size_t open = text.find('[', i);
        if (open == std::string::npos) {
            out.append(text, i, std::string::npos);
            break;
        }
        out.append(text, i, open - i);
        // The closing bracket is the first one outside quotes and inner brackets.
        size_t j = open + 1;
        int depth = 0;
        char quote = 0;
        for (; j < text.size(); ++j) {
            const char c = text[j];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                if (depth == 0) break;
                --depth;
            }
        }
        if (j >= text.size()) throw ReportError("text \"" + text + "\": \"[\" is not closed");
        out += displayText(evaluate(text.substr(open + 1, j - open - 1)));
        i = j + 1;
    }
    return out;
}

}  // namespace host
