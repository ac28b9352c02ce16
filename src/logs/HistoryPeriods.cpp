#include "logs/HistoryPeriods.h"

#include "calc/CalculateActual.h"
#include "calc/Program.h"
#include "calc/ReadingChecks.h"
#include "logs/HistoryRecord.h"
#include "platform/DecimalText.h"
#include "platform/NoDesktop.h"
#include "settings/MoneyFields.h"
#include "settings/NormaliseSettings.h"
#include "settings/SettingsChecks.h"

#include <array>
#include <cmath>
#include <exception>
#include <iterator>
#include <variant>

namespace {

// Progress is told after this many more bytes.
constexpr qint64 ProgressStep = 1 << 18;
constexpr int KwhPerDayPlaces = 2;
// The file header lines after its title: the version, "File Created" and the time.
constexpr int FileHeaderLinesAfterTitle = 3;

// The tariff columns of a record, and the fields they fill.
constexpr qsizetype TariffColumns = HistoryRecordFields - HistoryFirstSettingColumn;
using TariffTexts = std::array<QString, TariffColumns>;

TextField Sheet::*tariffField(qsizetype i) {
    return HistoryColumns[HistoryFirstSettingColumn + i].field;
}

// The checks only report; nobody is shown anything.
class NoMessages final : public MessageBoxes {
public:
    MessageAnswer show(const Message&) override { return MessageAnswer::Ok; }
};

// A record whose date and reading read as this program wrote them.
struct Reading {
    qsizetype line = 0;
    QString dateText, readingText;
    QDate date;
    double value = 0;
    bool cubicFeet = false;
    TariffTexts tariff;
};

// The figures of one calculated period.
struct Figures {
    qint64 days = 0;
    double volume = 0, kWh = 0, cost = 0, costPerDay = 0, co2 = 0;
};

// An amount as Calculate shows it: rounded to the currency, with its sign.
double shownAmount(const RegionalForms& forms, double value) {
    return roundedDecimal(value, forms.currencyDecimals()).toDouble();
}

QString messagesReason(const QString& errorList) {
    QStringList lines = errorList.split(u'\n', Qt::SkipEmptyParts);
    return lines.join(QStringLiteral("; "));
}

// A tariff as its checks leave it: in standard form, or with their messages.
struct CheckedTariff {
    TariffTexts given;
    TariffTexts standard;
    QString errors;
};

// Calculates periods on a sheet of its own, set up from the current settings.
class PeriodCalculator {
public:
    PeriodCalculator(FileSystem& files, const RegionalForms& forms, const Sheet& tariffNow)
        : clock_(QDateTime::currentDateTime()),
          program_({forms, messages_, files, clock_, desktop_}) {
        Sheet& s = program_.sheet;
        s = tariffNow;
        // Every period is checked as Calculate checks it, whatever the window's switch.
        s.ErrorCheckInhibited = 0;
        s.Predict.text.clear();
        TariffTexts texts;
        for (qsizetype i = 0; i < TariffColumns; ++i)
            texts[i] = (tariffNow.*tariffField(i)).text;
        tariffNow_ = check(texts);
    }

    const CheckedTariff& tariffNow() const { return tariffNow_; }

    // The settings checks of Calculate on `tariff`. Records in a row mostly
    // share their tariff, so the last one checked is kept.
    const CheckedTariff& checkedTariff(const TariffTexts& tariff) {
        if (!checked_ || checked_->given != tariff)
            checked_ = check(tariff);
        return *checked_;
    }

    // The figures, or Calculate's reasons for refusing the period.
    std::variant<Figures, QString> calculate(const Reading& from, const Reading& to,
                                             const CheckedTariff& checked) {
        Sheet& s = program_.sheet;
        const RegionalForms& forms = program_.forms();
        try {
            for (qsizetype i = 0; i < TariffColumns; ++i)
                (s.*tariffField(i)).text = checked.standard[i];
            s.ErrorList = checked.errors;
            s.Date1.text = from.dateText;
            s.NRead1.text = from.readingText;
            s.Date2.text = to.dateText;
            s.NRead2.text = to.readingText;
            s.ConvertF.value = to.cubicFeet ? 1 : 0;
            CheckReadings(program_);
            if (s.ErrorList.isEmpty())
                CheckConsistency(program_);
            if (!s.ErrorList.isEmpty())
                return messagesReason(s.ErrorList);
            CalculateActual(s, forms);
            return Figures{static_cast<qint64>(forms.regionalNumber(s.TDays.text)),
                           forms.regionalNumber(s.NRUnits.text),
                           forms.regionalNumber(s.CRUnits.text),
                           shownAmount(forms, forms.regionalNumber(s.TVCost.text)),
                           shownAmount(forms, forms.regionalNumber(s.CDay.text)),
                           forms.regionalNumber(s.TCO2.text)};
        } catch (const GuardFailure&) {
        } catch (const std::exception&) {
        }
        return QStringLiteral("cannot be calculated");
    }

private:
    CheckedTariff check(const TariffTexts& tariff) {
        Sheet& s = program_.sheet;
        const RegionalForms& forms = program_.forms();
        for (qsizetype i = 0; i < TariffColumns; ++i)
            (s.*tariffField(i)).text = tariff[i];
        s.ErrorList.clear();
        StripCurrencySymbols(s, forms);
        RunSettingsChecks(s, forms);
        if (s.ErrorList.isEmpty())
            NormaliseSettings(s, forms);
        CheckedTariff checked{tariff, {}, s.ErrorList};
        for (qsizetype i = 0; i < TariffColumns; ++i)
            checked.standard[i] = (s.*tariffField(i)).text;
        return checked;
    }

    NoMessages messages_;
    // Readings may be dated up to the end of next year from the start of the reading.
    FixedClock clock_;
    NoDesktop desktop_;
    Program program_;
    CheckedTariff tariffNow_;
    std::optional<CheckedTariff> checked_;
};

// Reads the history log line by line into periods.
class PeriodReader {
public:
    PeriodReader(FileSystem& files, const RegionalForms& forms, const Sheet& tariffNow,
                 const PeriodOptions& options)
        : forms_(forms), options_(options), calculator_(files, forms, tariffNow) {}

    void take(const QString& text) {
        ++line_;
        if (const std::optional<std::array<QString, HistoryRecordFields>> fields =
                readHistoryFields(text)) {
            headerLinesLeft_ = 0;
            takeRecord(*fields);
        } else if (text == historyLogTitle()) {
            headerLinesLeft_ = FileHeaderLinesAfterTitle;
            // A second file header: another log was joined to this one.
            if (line_ > 1)
                skip(QStringLiteral("another history log begins here"));
        } else if (headerLinesLeft_ > 0) {
            --headerLinesLeft_;
        } else if (!text.trimmed().isEmpty() && !isHistoryHeaderLine(text)) {
            skip(QStringLiteral("not a history record"));
        }
    }

    HistoryPeriods result() { return std::move(result_); }

private:
    void skip(const QString& reason) {
        result_.skipped.append({line_, reason});
        previous_.reset();
    }

    void takeRecord(const std::array<QString, HistoryRecordFields>& fields) {
        Reading reading{line_, fields[0], fields[1], {}, 0, fields[2] == historyUnitText(1), {}};
        // Only the short date form this locale writes: another locale's date
        // might read as a different day.
        const std::optional<QDate> date = forms_.regionalDate(reading.dateText);
        if (!date || forms_.shortDate(*date) != reading.dateText)
            return skip(QStringLiteral("date %1 is not in this locale's short date form")
                            .arg(reading.dateText));
        reading.date = *date;
        reading.value = forms_.typedNumber(reading.readingText);
        if (!forms_.isNumeric(reading.readingText) || std::trunc(reading.value) != reading.value)
            return skip(
                QStringLiteral("reading %1 is not a whole number").arg(reading.readingText));
        for (qsizetype i = 0; i < qsizetype(reading.tariff.size()); ++i)
            reading.tariff[i] = tariffField(i) == &Sheet::VRate
                                    ? taxRateOfHistory(fields[HistoryFirstSettingColumn + i])
                                    : fields[HistoryFirstSettingColumn + i];
        if (previous_ && reading.value < previous_->value)
            return skip(
                QStringLiteral("reading %1 is lower than the one before").arg(reading.readingText));
        if (previous_ && !takePeriod(*previous_, reading))
            return;
        previous_ = std::move(reading);
    }

    // False when the period was skipped.
    bool takePeriod(const Reading& from, const Reading& to) {
        const std::variant<Figures, QString> figures =
            calculator_.calculate(from, to, calculator_.checkedTariff(to.tariff));
        if (const QString* reason = std::get_if<QString>(&figures)) {
            skip(*reason);
            return false;
        }
        if ((options_.from && from.date < *options_.from) ||
            (options_.to && to.date > *options_.to))
            return true;
        const Figures& f = std::get<Figures>(figures);
        HistoryPeriod period{
            to.line,      from.date,
            to.date,      f.days,
            from.value,   to.value,
            f.volume,     to.cubicFeet,
            f.kWh,        roundedDecimal(f.kWh / double(f.days), KwhPerDayPlaces).toDouble(),
            f.cost,       f.costPerDay,
            std::nullopt, f.co2};
        if (options_.reprice) {
            const std::variant<Figures, QString> now =
                calculator_.calculate(from, to, calculator_.tariffNow());
            if (const Figures* repriced = std::get_if<Figures>(&now))
                period.repricedCost = repriced->cost;
        }
        result_.periods.append(period);
        return true;
    }

    const RegionalForms& forms_;
    const PeriodOptions& options_;
    PeriodCalculator calculator_;
    HistoryPeriods result_;
    qsizetype line_ = 0;
    int headerLinesLeft_ = 0;
    std::optional<Reading> previous_;
};

} // namespace

HistoryPeriods PeriodsOfHistory(FileSystem& files, const QString& path, const RegionalForms& forms,
                                const Sheet& tariffNow, const PeriodOptions& options) {
    PeriodReader reader(files, forms, tariffNow, options);
    const qint64 total = options.progress ? files.fileSize(path) : 0;
    qint64 done = 0;
    qint64 toldAt = 0;
    bool goOn = true;
    files.anyLine(path, [&](const QString& line) {
        reader.take(line);
        if (options.progress) {
            // Characters and the line end: near enough to the bytes read.
            done = std::min(total, done + line.size() + 2);
            if (done - toldAt >= ProgressStep) {
                goOn = options.progress(done, total);
                toldAt = done;
            }
        }
        return !goOn;
    });
    if (options.progress && goOn)
        options.progress(total, total);
    return reader.result();
}
