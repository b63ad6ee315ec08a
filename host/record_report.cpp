#include "host/record_report.h"

Report& Report::add(const std::string& key, std::string json_value) {
    return add(key, scalar(std::move(json_value)));
}
Report& Report::add(const std::string& key, Report value) {
    members_.emplace_back(key, std::move(value));
    return *this;
}
Report& Report::push(Report item) {
    items_.push_back(std::move(item));
    return *this;
}
Report& Report::push(std::string json_value) { return push(scalar(std::move(json_value))); }

void Report::write_json(std::ostream& out) const {
    switch (type_) {
    case kScalar:
        out << scalar_;
        break;
    case kObject:
        out << "{";
        for (size_t i = 0; i < members_.size(); ++i) {
            if (i != 0) out << ",";
            out << "\"" << members_[i].first << "\":";
            members_[i].second.write_json(out);
        }
        out << "}";
        break;
    case kArray:
        out << "[";
        for (size_t i = 0; i < items_.size(); ++i) {
            if (i != 0) out << ",";
            items_[i].write_json(out);
        }
        out << "]";
        break;
    }
}

bool Report::flat() const {
    if (type_ == kScalar) return true;
    for (const auto& m : members_)
        if (m.second.type_ == kObject || (m.second.type_ == kArray && !m.second.flat())) return false;
    for (const Report& r : items_)
        if (r.type_ != kScalar) return false;
    return true;
}

std::string Report::inline_text() const {
    if (type_ == kScalar) return scalar_;
    std::string s;
    if (type_ == kArray) {
        s = "[";
        for (size_t i = 0; i < items_.size(); ++i) s += (i ? ", " : "") + items_[i].scalar_;
        return s + "]";
    }
    for (size_t i = 0; i < members_.size(); ++i)
        s += (i ? " " : "") + members_[i].first + "=" + members_[i].second.inline_text();
    return s;
}

void Report::write_text(std::ostream& out, int indent) const {
    std::string pad(size_t(indent), ' ');
    if (type_ == kArray) {
        if (items_.empty()) out << pad << "(none)\n";
        for (const Report& item : items_) {
            if (item.flat()) {
                out << pad << "- " << item.inline_text() << "\n";
            } else {
                out << pad << "-\n";
                item.write_text(out, indent + 2);
            }
        }
        return;
    }
    if (type_ == kScalar) {
        out << pad << scalar_ << "\n";
        return;
    }
    for (const auto& [key, value] : members_) {
        if (value.type_ == kScalar || (value.type_ == kArray && value.flat() && !value.items_.empty() &&
                                       value.items_.size() <= 8)) {
            out << pad << key << ": " << value.inline_text() << "\n";
        } else if (value.type_ == kObject && value.flat()) {
            out << pad << key << ": " << value.inline_text() << "\n";
        } else {
            out << pad << key << ":\n";
            value.write_text(out, indent + 2);
        }
    }
}
