#include "codeplug/CodeplugDiff.h"

#include "codeplug/CodeplugModel.h"
#include "codeplug/RadioImageLayout.h"
#include "codeplug/RadioImagePacking.h"
#include "codeplug/ToneTables.h"
#include "emulator/SampleCodeplug.h"

#include <gtest/gtest.h>

namespace lt {
namespace {

CodeplugModel Sample()
{
    CodeplugModel model;
    FillSampleCodeplug(model);
    return model;
}

TEST(CodeplugDiff, TwoPackingsOfOneModelAgreeDespiteTimeAndPasswordScrambling)
{
    CodeplugModel model = Sample();
    RadioImage packed;
    GetDataForWrite(model, packed);
    EXPECT_TRUE(CompareRadioImages(ImageToWrite(model), packed).empty());
}

TEST(CodeplugDiff, AChannelOnlyOneMapMarksIsOneMapDifference)
{
    CodeplugModel file = Sample();
    CodeplugModel radio = Sample();
    radio.SetChannelUsed(17, false);
    radio.channel(17).setRxFreq(1);

    const std::vector<FieldDifference> differences = CompareRadioImages(ImageToWrite(file), ImageToWrite(radio));
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0], (FieldDifference{QStringLiteral("ChannelUsedMap channel 17"), QStringLiteral("1"), QStringLiteral("0")}));
}

TEST(CodeplugDiff, BitFieldsOfOneByteAreNamedSeparately)
{
    CodeplugModel file = Sample();
    CodeplugModel radio = Sample();
    radio.channel(12).setChInfor_Pow(radio.channel(12).ChInfor_Pow() ^ 1);
    radio.channel(12).setChInfor_SCN(radio.channel(12).ChInfor_SCN() ^ 1);
    radio.vfoB().setRxTone(885, kToneCtcss);

    std::vector<QString> names;
    for (const FieldDifference& d : CompareRadioImages(ImageToWrite(file), ImageToWrite(radio)))
        names.push_back(d.field);
    EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("channel 12 ChInfor_Pow"), QStringLiteral("channel 12 ChInfor_SCN"),
                                           QStringLiteral("VFO B RxToneCode"), QStringLiteral("VFO B RxToneType")}));
}

TEST(CodeplugDiff, DescribesFileAndRadioValues)
{
    EXPECT_EQ(DescribeDifference({QStringLiteral("SQL"), QStringLiteral("5"), QStringLiteral("7")}), QStringLiteral("SQL: file 5, radio 7"));
}

} // namespace
} // namespace lt
