#pragma once

#include <QString>
#include <cstdint>

// Text colours of the result fields.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb DarkGrey{51, 51, 51};
inline constexpr Rgb Orange{255, 128, 0};

struct TextField {
    QString text;
    QString toolTip;
    Rgb colour = DarkGrey;
};

struct Label {
    QString caption;
};

struct CheckBox {
    int value = 0; // 1 when ticked
    QString toolTip;
};

struct Button {
    QString caption;
    QString toolTip;
    bool enabled = true;
};

// The state of the main window: every entry, setting and result as the text of
// its field, the labels, check boxes and buttons, and the values the window
// keeps beside its fields. Members carry the control names. Procedures read
// the texts, compute, and write texts back; the window only mirrors this.
struct Sheet {
    Sheet();

    // Entries
    TextField NRead1{
        {},
        QStringLiteral("Meter Reading 1  (1 - 999900 and at least 10 less than Meter Reading 2)")};
    TextField NRead2{
        {},
        QStringLiteral("Meter Reading 2 (11 - 999999 and at least 10 more than Meter Reading 1)")};
    TextField Date1{
        {},
        QStringLiteral("Meter Reading 1 date (must be more than 3 days earlier than Reading 2)")};
    TextField Date2{
        {}, QStringLiteral("Meter Reading 2 date (must be more than 3 days later than Reading 1)")};
    TextField Notes{{}, QStringLiteral("Notes relating to calculation (max 75 characters)")};

    // Settings; their tooltips come from the setting table.
    TextField NRate1;
    TextField NRate2;
    TextField BreakP;
    TextField CalVal;
    TextField CFactor;
    TextField SCharge;
    TextField VRate;
    TextField Disc1;
    TextField Disc2;
    TextField CORate;
    TextField Predict;
    CheckBox ConvertF;
    CheckBox OnTop;
    CheckBox AutoSave;

    // Actual results
    TextField TDays{{}, QStringLiteral("No days")};
    TextField NRUnits{{}, QStringLiteral("Cubic metres used")};
    TextField CRUnits{{}, QStringLiteral("KWHr used")};
    TextField R1Units{{}, QStringLiteral("Number of Rate 1 KWHrs used")};
    TextField R2Units{{}, QStringLiteral("Number of Rate 2 KWHrs used")};
    TextField NR1Cost{{}, QStringLiteral("Cost of Rate 1 units")};
    TextField NR2Cost{{}, QStringLiteral("Cost of Rate 2 units")};
    TextField TSCharge{{}, QStringLiteral("Total cost of Fixed Charge")};
    TextField TCost{{}, QStringLiteral("Total Cost (less VAT)")};
    TextField TVCost{{}, QStringLiteral("Total Cost (inc VAT)")};
    TextField CDay{{}, QStringLiteral("Cost per day")};
    TextField TCO2{{}, QStringLiteral("Amount of CO2 generated in Kg")};

    // Predicted results
    TextField TDaysP{{}, QStringLiteral("No days in prediction period")};
    TextField NRUnitsP{{}, QStringLiteral("Cubic metres predicted")};
    TextField CRUnitsP{{}, QStringLiteral("KWHr predicted")};
    TextField R1UnitsP{{}, QStringLiteral("Number of Rate 1 KWHrs predicted")};
    TextField R2UnitsP{{}, QStringLiteral("Number of Rate 2 KWHrs predicted")};
    TextField NR1CostP{{}, QStringLiteral("Predicted cost of Rate 1 units")};
    TextField NR2CostP{{}, QStringLiteral("Predicted cost of Rate 2 units")};
    TextField TSChargeP{{}, QStringLiteral("Predicted total cost of Fixed Charge")};
    TextField TCostP{{}, QStringLiteral("Predicted Total Cost (less VAT)")};
    TextField TVCostP{{}, QStringLiteral("Predicted Total Cost (inc VAT)")};
    TextField CDayP{{}, QStringLiteral("Predicted cost per day")};
    TextField TCO2P{{}, QStringLiteral("Predicted amount of CO2 generated in Kg")};

    // Labels whose captions change at run time, and the status line
    Label VATH{QStringLiteral("VAT:")};
    Label THead{QStringLiteral("Total Cost")};
    Label TVHead{QStringLiteral("Total Cost (inc VAT)")};
    Label NRUnitsL{QStringLiteral("Cubic Metres Used")};
    Label Status;
    bool Timer1 = false; // the status-line timer runs

    // Commands
    Button Calc{QStringLiteral("Calculate"), QStringLiteral("Calculate results")};
    Button Save{QStringLiteral("Save"),
                QStringLiteral("Save results  ( each result can only be saved once)"), false};
    Button Get_Last{QStringLiteral("Get Last"), QStringLiteral("Retrieve last Meter Reading")};
    Button Clear{QStringLiteral("Clear"), QStringLiteral("Clear all data entries and results")};
    Button Reset_Defaults{QStringLiteral("Reset Data"), QStringLiteral("Reset Gas Data")};
    Button Save_Defaults{QStringLiteral("Save Data"), QStringLiteral("Save Gas Data"), false};
    Button Archive{QStringLiteral("Archive"),
                   QStringLiteral("Archive results log file and create new one")};
    Button ViewH{
        QStringLiteral("History"),
        QStringLiteral("View Meterwin history log file (It will not be updated while open)")};
    Button ViewL{
        QStringLiteral("Results"),
        QStringLiteral("View Meterwin results log file (It will not be updated while open)")};
    Button Help1{QStringLiteral("Help"), QStringLiteral("Meterwin Help")};
    Button About{QStringLiteral("About"), QStringLiteral("About Meterwin")};
    Button Exit{QStringLiteral("Exit"), QStringLiteral("Close Meterwin")};

    // Values held beside the fields
    float ActualQuarters = 0;
    QString InputSignature;
    QString LastSignature;
    QString ErrorList;
    // The field a refusal names first; the window moves the focus there, once.
    QString FocusField;
    std::int16_t ErrorStep = 0;
    QString CurrencySymbol;
    std::int16_t ErrorCheckInhibited = 0;
    float LogLevel = 0;
    float RunOnTop = 0;
    QString Convert;
    QString ReportText;
    QString HistoryText;
    QString ResultsLogName;
    QString HistoryLogName;
    QString ConfigEcho;
    std::int16_t SuppressSavedStatus = 0;
};
