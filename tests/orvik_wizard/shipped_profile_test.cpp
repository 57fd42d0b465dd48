#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

#include "vantrel/config/config_fields.h"
#include "vantrel/config/image_conversion.h"
#include "vantrel/config/profile_reader.h"
#include "vantrel/config/profile_writer.h"
#include "window_fixture.h"

namespace orvik::test {
namespace {

// Termination method bits of a cycle's flag word.
enum : int32_t {
    kTempMin = 1 << 0,
    kTempMax = 1 << 1,
    kVoltageMax = 1 << 3,
    kVoltagePeak = 1 << 4,
    kDeltaV = 1 << 5,
    kCycleTime = 1 << 6,
    kCurrentMin = 1 << 7,
    kHoldOff = 1 << 8,
    kCompensation = 1 << 9,
    kTemperatureRate = 1 << 10,
    kTrickleTime = 1 << 11,
    kEnergy = 1 << 12,
};

// What each chemistry's charge plan is meant to be, per cell and per capacity.
struct Chemistry {
    const char* name;
    int cycles;
    double chargeRate;        // largest main charging current, in C
    int mainVoltagePerCell;   // charging voltage setpoint of the main charge, mV
    int mainLimitPerCell;     // voltage that ends the main charge, mV
    int preThresholdPerCell;  // voltage that ends the pre-charge, mV
    double preCurrent;        // pre-charge current, in C
    int32_t mainFlags;
    double mainTimeFactor;    // main charge time limit: factor x the time at the current, plus
    int mainTimeAdded;        // minutes
    double mainMinCurrent;    // in C; 0 where the current does not end the charge
    int nominalPerCell;       // mV
    int startupPerCell;       // mV
};

const int32_t kNickelMain =
    kTempMin | kTempMax | kVoltageMax | kVoltagePeak | kDeltaV | kCycleTime | kHoldOff | kTemperatureRate | kTrickleTime;
const int32_t kLithiumMain = kTempMin | kTempMax | kVoltageMax | kCycleTime | kCurrentMin | kHoldOff | kTrickleTime;

const Chemistry kChemistries[] = {
    {"NiMH", 4, 1.0, 1650, 1600, 1000, 0.1, kNickelMain, 1.5, 0, 0, 1200, 1150},
    {"NiCd", 4, 1.0, 1650, 1600, 1000, 0.1, kNickelMain, 1.5, 0, 0, 1200, 1150},
    {"Li-ion", 2, 1.0, 4200, 4250, 3000, 0.1, kLithiumMain, 1.2, 90, 0.05, 3600, 3400},
    {"LiFePO4", 2, 1.0, 3600, 3700, 2500, 0.1, kLithiumMain, 1.2, 90, 0.05, 3200, 2900},
    {"Sealed lead-acid", 3, 0.3, 2450, 2600, 2000, 0.05, kLithiumMain | kCompensation, 1.2, 240, 0.05, 2000, 1950},
};

void PrintTo(const Chemistry& chemistry, std::ostream* out) { *out << chemistry.name; }

double Number(const QLineEdit* edit) { return std::round(edit->text().toDouble()); }

// A tenths field as the word it came from.
long Tenths(double value) { return std::lround(value * 10); }

class ShippedProfileTest : public WindowTest {
protected:
    struct Shown {
        double cells = 0;
        double capacity = 0;
        double current = 0;
        double minTemperature = 0;
        double maxTemperature = 0;
    };

    void OpenShipped(const std::string& commandLine = "") { OpenFile(ORVIK_SHIPPED_PROFILE, commandLine); }

    // A new profile with the chemistry's defaults, as a user pressing Next makes it.
    Shown WalkNewProfile(const char* chemistry, const char* firmware) {
        Shown shown;
        OpenShipped();
        window->bNextClick();
        EXPECT_EQ(window->CurrentStepName(), "Load Existing Profile");
        window->bSkipClick();
        EXPECT_EQ(window->CurrentStepName(), "Firmware");
        Control<QComboBox>("fw")->setCurrentText(firmware);
        window->bNextClick();
        Control<QComboBox>("chem")->setCurrentText(chemistry);
        window->bNextClick();
        EXPECT_EQ(window->CurrentStepName(), "Battery Pack");
        shown.cells = Number(Control<QLineEdit>("cells"));
        shown.capacity = Number(Control<QLineEdit>("capacity"));
        shown.current = Number(Control<QLineEdit>("imax"));
        EXPECT_TRUE(NextUntil("Battery Temperature"));
        shown.minTemperature = Control<QLineEdit>("tmin_c")->text().toDouble();
        shown.maxTemperature = Control<QLineEdit>("tmax_c")->text().toDouble();
        EXPECT_TRUE(NextUntil("Fine-Tuning"));
        return shown;
    }

    void SaveTo(const std::string& path) {
        EXPECT_TRUE(NextUntil("Save Profile"));
        window->eLocation->setText(QString::fromStdString(path));
        window->bSaveClick();
    }

    vantrel::EepromImage ReadWithUtility(const std::string& path) {
        vantrel::EepromImage image;
        image.fill(0);
        const std::optional<std::string> failure = vantrel::ReadProfileFile(path, image);
        EXPECT_FALSE(failure) << *failure;
        return image;
    }

    vantrel::ConfigFields Fields(const vantrel::EepromImage& image) {
        vantrel::ConfigFields fields;
        fields.ResetFields();
        vantrel::FromImage(image, fields);
        return fields;
    }
};

class ChemistryDefaultsTest : public ShippedProfileTest, public testing::WithParamInterface<Chemistry> {};

TEST_P(ChemistryDefaultsTest, TheUtilityReadsWhatTheWizardShowed) {
    const Chemistry& chemistry = GetParam();
    const Shown shown = WalkNewProfile(chemistry.name, "Standard");
    window->bSkipClick();
    SaveTo(folder.File("new.psd"));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front().text;

    const vantrel::EepromImage image = ReadWithUtility(folder.File("new.psd"));
    const vantrel::ConfigFields fields = Fields(image);
    const double current = std::min<double>(shown.current, shown.capacity * chemistry.chargeRate);

    EXPECT_EQ(fields.chargeCycleCount, chemistry.cycles);
    EXPECT_EQ(Tenths(fields.minChargingTemperature), std::lround(shown.minTemperature * 10) + 2731);
    EXPECT_EQ(Tenths(fields.maxChargingTemperature), std::lround(shown.maxTemperature * 10) + 2731);
    EXPECT_EQ(fields.chargerFlags, 0x43);  // autostart, termination, temperature monitoring
    EXPECT_EQ(fields.minStartupVoltage, shown.cells * chemistry.startupPerCell);
    EXPECT_EQ(fields.maxBatteryCapacity, std::trunc(shown.capacity * shown.cells * chemistry.nominalPerCell / 10000.0));

    const vantrel::CycleRecord& pre = fields.cycles[0];
    EXPECT_EQ(pre.terminationFlags, kTempMin | kTempMax | kVoltageMax | kCycleTime | kTrickleTime);
    EXPECT_EQ(pre.maxChargingVoltage, shown.cells * chemistry.preThresholdPerCell);
    EXPECT_EQ(pre.chargingCurrentSetpoint, std::trunc(shown.capacity * chemistry.preCurrent));

    const vantrel::CycleRecord& main = fields.cycles[1];
    EXPECT_EQ(main.terminationFlags, chemistry.mainFlags);
    EXPECT_EQ(main.chargingVoltageSetpoint, shown.cells * chemistry.mainVoltagePerCell);
    EXPECT_EQ(main.maxChargingVoltage, shown.cells * chemistry.mainLimitPerCell);
    EXPECT_EQ(main.chargingCurrentSetpoint, std::trunc(current));
    EXPECT_EQ(main.maxChargeCurrent, std::trunc(current));
    EXPECT_EQ(main.minChargeCurrent, std::trunc(shown.capacity * chemistry.mainMinCurrent));
    EXPECT_EQ(main.maxCycleTime,
              std::trunc(chemistry.mainTimeFactor * 60 * shown.capacity / current + chemistry.mainTimeAdded));
    EXPECT_EQ(main.maxTrickleTime, 60);

    for (auto unused = static_cast<std::size_t>(chemistry.cycles); unused < 4; ++unused) {
        EXPECT_EQ(fields.cycles[unused].terminationFlags, 0) << "cycle " << unused + 1;
        EXPECT_EQ(fields.cycles[unused].chargingCurrentSetpoint, 0) << "cycle " << unused + 1;
    }
    for (std::size_t offset = 0x96; offset <= 0x9D; ++offset) EXPECT_EQ(image[offset], 0xFF) << offset;
}

INSTANTIATE_TEST_SUITE_P(Chemistries, ChemistryDefaultsTest, testing::ValuesIn(kChemistries),
                         [](const testing::TestParamInfo<Chemistry>& testInfo) {
                             std::string name = testInfo.param.name;
                             name.erase(std::remove_if(name.begin(), name.end(),
                                                       [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }),
                                        name.end());
                             return name;
                         });

TEST_F(ShippedProfileTest, UpsFirmwareAddsTheBatteryLimitsAndCounters) {
    const Shown shown = WalkNewProfile("Li-ion", "UPS");
    window->bSkipClick();
    SaveTo(folder.File("ups.psd"));
    const vantrel::ConfigFields fields = Fields(ReadWithUtility(folder.File("ups.psd")));

    EXPECT_EQ(fields.shutDownDelayOrMinVoltage, shown.cells * 3000);
    EXPECT_EQ(fields.startUpDelayOrMinCapacity, std::trunc(0.1 * shown.capacity * shown.cells * 3600 / 10000));
    EXPECT_EQ(fields.slots[8].words[0], 2);    // main power shut down debounce
    EXPECT_EQ(fields.slots[8].words[2], 300);  // main power shut down counter
    EXPECT_EQ(fields.alarmShutdownDelay, 30);
    EXPECT_EQ(fields.cycles[1].terminationFlags & kEnergy, 0);
}

TEST_F(ShippedProfileTest, Ups18FirmwareEndsTheMainChargeOnEnergy) {
    const Shown shown = WalkNewProfile("NiMH", "UPS18");
    window->bSkipClick();
    SaveTo(folder.File("ups18.psd"));
    const vantrel::ConfigFields fields = Fields(ReadWithUtility(folder.File("ups18.psd")));

    EXPECT_EQ(fields.cycles[1].terminationFlags, kNickelMain | kEnergy);
    EXPECT_EQ(fields.cycles[1].maxCapacity, std::trunc(1.5 * shown.capacity * shown.cells * 1200 / 10000));
}

TEST_F(ShippedProfileTest, AnOverrideReplacesTheComputedValue) {
    const Shown shown = WalkNewProfile("NiMH", "Standard");
    window->bNextClick();
    ASSERT_EQ(window->CurrentStepName(), "Cycle 1");
    window->bSkipClick();
    ASSERT_EQ(window->CurrentStepName(), "Cycle 2");
    window->bNextClick();
    ASSERT_EQ(window->CurrentStepName(), "Cycle 2: Charging");
    auto* entry = Control<QLineEdit>("c2_vset");
    EXPECT_FALSE(entry->isEnabled());
    Control<QCheckBox>("c2_vset_set")->click();
    EXPECT_TRUE(entry->isEnabled());
    entry->setText("15000");
    SaveTo(folder.File("override.psd"));

    const vantrel::ConfigFields fields = Fields(ReadWithUtility(folder.File("override.psd")));
    EXPECT_EQ(fields.cycles[1].chargingVoltageSetpoint, 15000);
    EXPECT_EQ(fields.cycles[1].maxChargingVoltage, shown.cells * 1600);
}

// A configuration in which every field holds a value of its own.
vantrel::ConfigFields DistinctFields() {
    vantrel::ConfigFields fields;
    fields.ResetFields();
    for (std::size_t k = 0; k < fields.cycles.size(); ++k) {
        vantrel::CycleRecord& cycle = fields.cycles[k];
        const double base = 1000.0 * static_cast<double>(k + 1);
        cycle.terminationFlags = static_cast<int32_t>(0xA000 | (0x0111 * (k + 1)));
        cycle.maxCapacity = static_cast<int32_t>(base + 1);
        cycle.futureUse = base + 2;
        cycle.maxChargingVoltage = base + 3;
        cycle.maxTimeSincePeak = base + 4;
        cycle.negativeDeltaV = base + 5;
        cycle.maxCycleTime = base + 6;
        cycle.minChargeCurrent = base + 7;
        cycle.maxChargeCurrent = base + 8;
        cycle.minTimeBeforeTermination = base + 9;
        cycle.temperatureCompensation = base + 10;
        cycle.chargingVoltageSetpoint = base + 11;
        cycle.chargingCurrentSetpoint = base + 12;
        cycle.maxTemperatureRate = (base + 13) / 10;
        cycle.trickleCurrent = base + 14;
        cycle.maxTrickleTime = base + 15;
    }
    fields.chargerFlags = 0xB5A5;
    fields.extendedChargeFlags = 0x1234;
    fields.shutDownDelayOrMinVoltage = 1111;
    fields.startUpDelayOrMinCapacity = 2222;
    fields.maxInputPower = 12345;
    fields.commTimeout = 77;
    fields.chargeCycleCount = 3;
    fields.minChargingTemperature = 280.0;
    fields.maxChargingTemperature = 310.0;
    fields.minStartupVoltage = 11111;
    fields.primaryTempDevice = 5;
    fields.secondaryTempDevice = 6;
    fields.i2cPollRate = 33;
    fields.I2CDevEnDef = 0x5A5A;
    for (int s = 0; s < vantrel::ConfigFields::kEepromSlotCount; ++s) {
        for (int w = 0; w < 3; ++w) {
            fields.slots[static_cast<std::size_t>(s)].words[static_cast<std::size_t>(w)] = 20000 + 100 * s + w;
        }
    }
    fields.sdStartupDelay = 4321;
    fields.alarmStartupDelay = 5555;
    fields.alarmShutdownDelay = 4444;
    fields.timeToRecharge = 666;
    fields.statusShutDownCounter = 777;
    fields.statusStartUpCounter = 888;
    fields.maxBatteryCapacity = 9999;
    fields.remainingCapacitySetpoint = 3333;
    return fields;
}

class UtilityProfileTest : public ShippedProfileTest, public testing::WithParamInterface<const char*> {};

TEST_P(UtilityProfileTest, LoadsAndSavesBackTheSameBytes) {
    vantrel::EepromImage written;
    vantrel::ToImage(DistinctFields(), written);
    const std::string profile = folder.Write("from_utility.psd", vantrel::ProfileText(written));

    OpenShipped("-f " + profile);
    window->bNextClick();
    ASSERT_EQ(window->CurrentStepName(), "Firmware");
    EXPECT_TRUE(HasMessage("Loaded Existing Profile:", "Loaded: " + profile));
    Control<QComboBox>("fw")->setCurrentText(GetParam());
    // Every page is shown and left on the way, the fine-tuning ones included.
    SaveTo(folder.File("saved.psd"));

    ASSERT_EQ(prompter.messages.size(), 1u) << prompter.messages.back().text;
    EXPECT_EQ(ReadWithUtility(folder.File("saved.psd")), written);
    EXPECT_EQ(ReadWithUtility(folder.File("working.psd")), written);
    EXPECT_EQ(window->ExitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Firmware, UtilityProfileTest, testing::Values("Standard", "UPS", "UPS18"));

TEST_F(ShippedProfileTest, AProfileTheWizardSavedLoadsBackUnchanged) {
    WalkNewProfile("Sealed lead-acid", "UPS18");
    window->bSkipClick();
    SaveTo(folder.File("first.psd"));
    const vantrel::EepromImage first = ReadWithUtility(folder.File("first.psd"));

    OpenShipped("-f " + folder.File("first.psd"));
    window->bNextClick();
    Control<QComboBox>("fw")->setCurrentText("UPS18");
    SaveTo(folder.File("second.psd"));
    EXPECT_EQ(ReadWithUtility(folder.File("second.psd")), first);
}

// Walks a new NiMH profile with Standard firmware up to the named step.
#define WALK_TO(step)                                  \
    OpenShipped();                                     \
    window->bNextClick();                              \
    window->bSkipClick();                              \
    ASSERT_TRUE(NextUntil(step)) << window->CurrentStepName()

TEST_F(ShippedProfileTest, TheStartUpVoltageOverrideStartsAtTheWorkedOutValue) {
    WALK_TO("Charger and Power Supply");
    auto* entry = Control<QLineEdit>("vst");
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->isEnabled());
    EXPECT_EQ(entry->text(), "11500");  // 10 cells of 1150 mV
    Control<QCheckBox>("vst_set")->click();
    EXPECT_EQ(entry->text(), "11500");
    entry->setText("");
    window->bNextClick();
    EXPECT_EQ(window->CurrentStepName(), "Charger and Power Supply");
    EXPECT_TRUE(HasMessage("Error:", "'' is not a valid floating point value"));

    entry->setText("11000");
    SaveTo(folder.File("vst.psd"));
    EXPECT_EQ(Fields(ReadWithUtility(folder.File("vst.psd"))).minStartupVoltage, 11000);
}

TEST_F(ShippedProfileTest, TheCycleCountOverrideNeverHidesTheCyclesSilently) {
    WALK_TO("Charge Cycles");
    auto* count = Control<QLineEdit>("ncyc");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->text(), "4");
    Control<QCheckBox>("ncyc_set")->click();
    for (const char* refused : {"", "0", "5"}) {
        count->setText(refused);
        window->bNextClick();
        EXPECT_EQ(window->CurrentStepName(), "Charge Cycles") << refused;
    }
    EXPECT_EQ(prompter.messages.size(), 3u);
    count->setText("2");
    std::vector<std::string> shown;
    while (window->CurrentStepName() != "Save Profile" && shown.size() < 40) {
        window->bNextClick();
        shown.push_back(window->CurrentStepName());
    }
    EXPECT_NE(std::find(shown.begin(), shown.end(), "Cycle 2: Charging"), shown.end());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), "Cycle 3"), shown.end());
}

TEST_F(ShippedProfileTest, FineTuningShowsTheValuesInUse) {
    WALK_TO("Cycle 2: Charging");
    EXPECT_EQ(Control<QLineEdit>("c2_vset")->text(), "16500");  // 10 x 1.65 V
    EXPECT_EQ(Control<QLineEdit>("c2_iset")->text(), "1000");   // the pack's charging current
    EXPECT_EQ(Control<QLineEdit>("c2_vmax")->text(), "16000");
    ASSERT_TRUE(NextUntil("Cycle 2: Termination Methods"));
    for (int bit = 0; bit <= 12; ++bit) {
        auto* box = Control<QCheckBox>("c2_tb" + std::to_string(bit));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->isChecked(), (kNickelMain >> bit & 1) != 0) << "bit " << bit;
        EXPECT_FALSE(box->isEnabled());
    }
}

TEST_F(ShippedProfileTest, EveryChemistryStartsWithinItsLimits) {
    for (const Chemistry& chemistry : kChemistries) {
        prompter.messages.clear();
        WALK_TO("Battery Chemistry");
        Control<QComboBox>("chem")->setCurrentText(chemistry.name);
        window->bNextClick();
        ASSERT_EQ(window->CurrentStepName(), "Battery Pack");
        window->bNextClick();  // the starting values pass their own limits
        EXPECT_EQ(window->CurrentStepName(), "Battery Temperature") << chemistry.name;
        EXPECT_TRUE(prompter.messages.empty()) << chemistry.name << ": " << prompter.messages.front().text;
    }
}

TEST_F(ShippedProfileTest, CellsEnteredSurviveBackAndNextOverTheChemistry) {
    WALK_TO("Battery Pack");
    Control<QLineEdit>("cells")->setText("12");
    window->bBackClick();
    ASSERT_EQ(window->CurrentStepName(), "Battery Chemistry");
    window->bNextClick();
    EXPECT_EQ(Control<QLineEdit>("cells")->text(), "12");

    window->bBackClick();
    Control<QComboBox>("chem")->setCurrentText("Li-ion");  // another chemistry: its preset wins
    window->bNextClick();
    EXPECT_EQ(Control<QLineEdit>("cells")->text(), "3");
}

// The shipped descriptions show whole at the window's starting size.
TEST_F(ShippedProfileTest, DescriptionsAreNotCut) {
    OpenShipped();
    window->bNextClick();
    window->bSkipClick();
    for (const char* step : {"Firmware", "Battery Chemistry", "Battery Pack", "Charge Cycles", "Fine-Tuning"}) {
        ASSERT_TRUE(NextUntil(step));
        QCoreApplication::processEvents();
        EXPECT_EQ(window->mDesc->verticalScrollBar()->maximum(), 0) << step;
    }
}

TEST_F(ShippedProfileTest, ShowsTheLoadStepSecond) {
    OpenShipped();
    EXPECT_EQ(window->CurrentStepName(), "Welcome");
    window->bNextClick();
    EXPECT_EQ(window->CurrentStepName(), "Load Existing Profile");
    EXPECT_TRUE(window->bSkip->isEnabled());
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace orvik::test
