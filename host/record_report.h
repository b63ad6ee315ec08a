// An ordered tree of report values that prints both as one JSON document and as an indented
// text listing, so the inspect report has one source for both forms.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

class Report {
public:
    static Report scalar(std::string json) { Report r(kScalar); r.scalar_ = std::move(json); return r; }
    static Report object() { return Report(kObject); }
    static Report array() { return Report(kArray); }

    // Members keep the order they are added in. Values are JSON texts (json_number, json_text).
    Report& add(const std::string& key, std::string json_value);
    Report& add(const std::string& key, Report value);
    Report& push(Report item);
    Report& push(std::string json_value);
    bool empty() const { return members_.empty() && items_.empty(); }

    void write_json(std::ostream& out) const;
    // Objects whose members are all scalars print on one line as "key=value ..."; others as
    // "key:" with their members indented below; array items start with "- ".
    void write_text(std::ostream& out, int indent = 0) const;

private:
    enum Type { kScalar, kObject, kArray };
    explicit Report(Type t) : type_(t) {}
    bool flat() const;
    std::string inline_text() const;

    Type type_;
    std::string scalar_;
    std::vector<std::pair<std::string, Report>> members_;
    std::vector<Report> items_;
};
