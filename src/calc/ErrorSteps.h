#pragma once

#include <cstdint>

// The step numbers an error dump reports as `ErrorStep`: each procedure has
// its own run of numbers, one for each stage it passes. Dumps users send in
// quote them, so a number never changes meaning.
namespace Step {

// Clearing, each at one fixed step.
constexpr std::int16_t ClearEntries = 41;
constexpr std::int16_t ClearActualResults = 42;
constexpr std::int16_t ClearPredictedResults = 43;

// Calc_Click
constexpr std::int16_t CalcChecks = 101;
constexpr std::int16_t CalcConsistency = 102;
constexpr std::int16_t CalcWholeReadings = 103;
constexpr std::int16_t CalcPrediction = 104;
constexpr std::int16_t CalcResults = 105;

// CheckConsistency
constexpr std::int16_t ConsistencyDates = 111;
constexpr std::int16_t ConsistencyReadingGap = 112;
constexpr std::int16_t ConsistencyRate2AndBreakPoint = 113;
constexpr std::int16_t ConsistencyPredictionPeriod = 115;
constexpr std::int16_t ConsistencyInhibit = 116;

// CheckReadings
constexpr std::int16_t CheckReadingsStart = 121;
constexpr std::int16_t CheckReadingsInhibit = 122;

// CheckSettings
constexpr std::int16_t SettingsStripSymbols = 131;
constexpr std::int16_t SettingsChecks = 132;
constexpr std::int16_t SettingsInhibit = 133;
constexpr std::int16_t SettingsNormalise = 134;

// Get_Last_Click
constexpr std::int16_t GetLastStart = 141;

// LoadMeterwinMain
constexpr std::int16_t LoadDataDirectory = 151;
constexpr std::int16_t LoadInhibitOption = 152;
constexpr std::int16_t LoadConfiguration = 153;
constexpr std::int16_t LoadLogFiles = 154;
constexpr std::int16_t LoadStartEntry = 155;
constexpr std::int16_t LoadLastReadings = 156;

// ReadConfiguration
constexpr std::int16_t ConfigurationOpen = 161;
constexpr std::int16_t ConfigurationLines = 162;
constexpr std::int16_t ConfigurationCheck = 163;

// Save_Defaults_Click
constexpr std::int16_t SaveDefaultsCheck = 201;
constexpr std::int16_t SaveDefaultsWrite = 202;
constexpr std::int16_t SaveDefaultsShow = 204;

// BuildHistoryEntry
constexpr std::int16_t HistoryLogLines = 211;
constexpr std::int16_t HistoryFormat = 212;

} // namespace Step
