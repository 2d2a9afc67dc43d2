#include "fuses/config_word.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ConfigNormaliseTest, Pic16f84ForcesCodeProtectionOffAndKeepsTheLowBits) {
  EXPECT_EQ(ConfigNormalise(0x0000, "PIC16f84"), 0x3FF0);
  EXPECT_EQ(ConfigNormalise(0x00F1, "PIC16f84"), 0x3FF1);
  EXPECT_EQ(ConfigNormalise(0x000A, "PIC16f84"), 0x3FFA);
  // Bits above 13 are not the 84's concern: only an OR is applied.
  EXPECT_EQ(ConfigNormalise(0x4000, "PIC16f84"), 0x7FF0);
}

TEST(ConfigNormaliseTest, OtherDevicesClearLowVoltageProgrammingAndHighBits) {
  EXPECT_EQ(ConfigNormalise(0x00F1, "PIC16f877"), 0x3F71);
  EXPECT_EQ(ConfigNormalise(0x0000, "PIC16f873"), 0x3F30);
  // Bit 6 (brown-out) keeps its value, bit 7 always goes, bits 14 and up go.
  EXPECT_EQ(ConfigNormalise(0x0040, "PIC16f877"), 0x3F70);
  EXPECT_EQ(ConfigNormalise(0x3FFF, "PIC16f877"), 0x3F7F);
  EXPECT_EQ(ConfigNormalise(0xFFFF, "PIC16f877"), 0x3F7F);
}

TEST(ConfigNormaliseTest, OnlyTheExactDeviceTextSelectsThe84Layout) {
  EXPECT_EQ(ConfigNormalise(0x00F1, "PIC16F84"), 0x3F71);
  EXPECT_EQ(ConfigNormalise(0x00F1, "PIC16f84 "), 0x3F71);
  EXPECT_EQ(ConfigNormalise(0x00F1, "PIC16f84A"), 0x3F71);
  EXPECT_EQ(ConfigNormalise(0x00F1, ""), 0x3F71);
}

TEST(OscChoiceTest, NormalisesThenSetsTheOscillatorBits) {
  // Fresh start (word 0): "XT" on the 84, "RC" on the 877.
  EXPECT_EQ(Osc_Choice(0, 1, "PIC16f84"), 0x3FF1);
  EXPECT_EQ(Osc_Choice(0, 3, "PIC16f877"), 0x3F33);
  // The old oscillator bits are replaced, not added to.
  EXPECT_EQ(Osc_Choice(0x3FF3, 0, "PIC16f84"), 0x3FF0);
  EXPECT_EQ(Osc_Choice(0x3FF2, 1, "PIC16f84"), 0x3FF1);
  // On a PIC16F87x an oscillator choice always clears bit 7, even when the word had it set.
  EXPECT_EQ(Osc_Choice(0x3FFE, 2, "PIC16f877"), 0x3F7E);
  // Timer bits survive the choice.
  EXPECT_EQ(Osc_Choice(0x3FF4, 2, "PIC16f84"), 0x3FF6);
}

TEST(OscChoiceTest, AnIndexThatNamesNoButtonOnlyNormalises) {
  EXPECT_EQ(Osc_Choice(0x0001, 4, "PIC16f84"), 0x3FF1);
  EXPECT_EQ(Osc_Choice(0x0002, -1, "PIC16f877"), 0x3F32);
}

TEST(TimerReactionTest, EachBoxChangesOnlyItsOwnBitWithoutNormalising) {
  // Fresh start, "WDT Enable" checked before anything else.
  EXPECT_EQ(WDT_Reaction(0, true), 0x4);
  EXPECT_EQ(Fuses_Panel_Text(WDT_Reaction(0, true)), "Fuses 0x4");
  EXPECT_EQ(WDT_Reaction(0x3FF5, false), 0x3FF1);
  // PWRT is active low.
  EXPECT_EQ(PWRT_Reaction(0x3FF1, true), 0x3FF1);
  EXPECT_EQ(PWRT_Reaction(0x3FF1, false), 0x3FF9);
  EXPECT_EQ(PWRT_Reaction(0, false), 0x8);
  EXPECT_EQ(BODEN_Reaction(0x3F31, true), 0x3F71);
  EXPECT_EQ(BODEN_Reaction(0x3F71, false), 0x3F31);
  // A cleared bit is cleared by a 14-bit mask, so stray high bits go with it.
  EXPECT_EQ(WDT_Reaction(0x7FFF, false), 0x3FFB);
}

TEST(FusesShownTest, ControlsFollowTheWordsBits) {
  // 0x3FFF: "RC", WDT and BOD checked, PWRT unchecked (bit 3 set means the timer is off).
  EXPECT_EQ(Fuses_Shown(0x3FFF), (FuseControls{3, true, false, true}));
  EXPECT_EQ(Fuses_Shown(0x3FF1), (FuseControls{1, false, true, true}));
  EXPECT_EQ(Fuses_Shown(0x3F31), (FuseControls{1, false, true, false}));
  EXPECT_EQ(Fuses_Shown(0), (FuseControls{0, false, true, false}));
}

TEST(FusesShownTest, ApplyingTheShownControlsLeavesANormalisedWordUnchanged) {
  for (const char* device : {"PIC16f84", "PIC16f877"}) {
    for (std::int32_t raw = 0; raw < 0x100; ++raw) {
      const std::int32_t word = ConfigNormalise(raw, device);
      const FuseControls c = Fuses_Shown(word);
      std::int32_t after = Osc_Choice(word, c.osc, device);
      after = WDT_Reaction(after, c.wdt);
      after = PWRT_Reaction(after, c.pwrt);
      after = BODEN_Reaction(after, c.boden);
      EXPECT_EQ(after, word) << device << " " << raw;
    }
  }
}

}  // namespace
}  // namespace corvane
