#pragma once

// The expressions of report templates.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/data/variant.h"

namespace host {

// The expressions of report templates, in windows-1251 like everything they read:
//   literals 'text' (a quote inside doubled) and numbers 12, 3.5;
//   VARIABLE, dataset."FIELD" (or dataset.FIELD), PAGE#, TOTALPAGES#, LINE# (the row's number in
//   its data section, from 1);
//   operators  not  and  or  =  <>  <  >  <=  >=  +  -  *  /  and parentheses;
//   functions  SUM(expr)  COUNT()  IIF(cond, a, b)  LOOKUP(dataset, 'KEY', value, 'RESULT')
//              FIXED(number, decimals).
// `+` adds numbers and joins anything else as text; comparisons are numeric between numbers and
// textual otherwise. Truth is a non-zero number or a text other than "" and "0".
struct ExprNode;

// What the names of an expression mean where it is evaluated; the engine implements it.
class ExpressionScope {
public:
    virtual ~ExpressionScope() = default;
    // The variable's expression text, or false when there is no such variable.
    virtual bool variableExpression(const std::string& name, std::string& expression) = 0;
    virtual bool isDataset(const std::string& name) = 0;
    virtual Variant field(const std::string& dataset, const std::string& field) = 0;
    virtual Variant pageNumber() = 0;
    virtual Variant totalPages() = 0;
    virtual Variant lineNumber() = 0;
    // Aggregates over the rows of `dataset` that the place of evaluation covers (a group, a data
    // section, the whole report); `argument` is evaluated on each of them.
    virtual Variant sum(const ExprNode& argument, const std::string& dataset) = 0;
    virtual Variant count(const std::string& dataset) = 0;
    virtual Variant lookup(const std::string& dataset, const std::string& keyField, const Variant& key,
                           const std::string& resultField) = 0;

    // Parses once per distinct text. Throws ReportError naming the expression.
    const ExprNode& parsed(const std::string& expression);
    Variant evaluate(const std::string& expression);
    Variant evaluate(const ExprNode& node);
    // Literal text with every [expression] replaced by its value as text.
    std::string expand(const std::string& text);

private:
    std::map<std::string, std::shared_ptr<ExprNode>> cache_;
    int depth_ = 0;  // variables referring to variables
};

bool isTrue(const Variant& value);
// The value as it is printed.
std::string displayText(const Variant& value);

}  // namespace host
