#pragma once

// What the fuzz targets share: taking the input apart into the values a
// reader is given, and stopping on a broken rule so that libFuzzer keeps the
// input that broke it.

#include "platform/RegionalForms.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzz {

[[noreturn]] inline void broken(const char* rule, const QString& detail) {
    std::fprintf(stderr, "\n*** Broken rule: %s\n*** %s\n", rule, detail.toUtf8().constData());
    std::abort();
}

inline void require(bool holds, const char* rule, const QString& detail = QString()) {
    if (!holds)
        broken(rule, detail);
}

// The locales the readers are tried in: a point or a comma as the decimal
// separator, the symbol in front of or behind the amount, two-digit and
// four-digit years, day-month-year, month-day-year and year-month-day.
inline const RegionalForms& formsFor(std::uint8_t selector) {
    static const std::array<RegionalForms, 7> forms = {
        RegionalForms(QLocale(QStringLiteral("en_GB"))),
        RegionalForms(QLocale(QStringLiteral("en_US"))),
        RegionalForms(QLocale(QStringLiteral("de_DE"))),
        RegionalForms(QLocale(QStringLiteral("fr_FR"))),
        RegionalForms(QLocale(QStringLiteral("sv_SE"))),
        RegionalForms(QLocale(QStringLiteral("de_CH"))),
        RegionalForms(QLocale(QStringLiteral("ja_JP"))),
    };
    return forms[selector % forms.size()];
}

// The input read front to back; once it runs out every value reads as zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    double rawDouble() {
        unsigned char bytes[sizeof(double)] = {};
        for (unsigned char& b : bytes)
            b = byte();
        double value = 0;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

    // The rest of the input as a text: UTF-8 (invalid sequences become U+FFFD)
    // or, to reach every UTF-16 unit including lone surrogates, UTF-16.
    QString text(bool asUtf16) {
        const auto* rest = reinterpret_cast<const char*>(data_ + at_);
        const auto count = static_cast<qsizetype>(size_ - at_);
        at_ = size_;
        if (!asUtf16)
            return QString::fromUtf8(rest, count);
        QString text(count / 2, Qt::Uninitialized);
        std::memcpy(text.data(), rest, static_cast<std::size_t>(count / 2) * 2);
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace fuzz
