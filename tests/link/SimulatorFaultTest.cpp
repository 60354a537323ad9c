// The simulator's faults at single image bytes: which byte each one strikes,
// and which wins where several meet at one byte.
#include "simulator/RadioSimulator.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(SimulatorFaults, FateOfAnImageByte) {
    const QStringList fates = {"passes", "lost", "falls silent", "hangs up"};
    for (const auto& [line, f] : testing_support::DataLines("simulator-faults.txt")) {
        SCOPED_TRACE(line.toStdString());
        ASSERT_EQ(f.size(), 3);
        simulator::Faults faults;
        for (const QString& set : f[0].split(u' ', Qt::SkipEmptyParts)) {
            if (set == u'-')
                continue;
            const auto& table = simulator::FaultTable();
            const auto fault = std::find_if(table.begin(), table.end(), [&](const auto& o) {
                return set.section(u'=', 0, 0) == QLatin1String(o.option);
            });
            ASSERT_NE(fault, table.end());
            if (fault->number)
                faults.*(fault->number) = set.section(u'=', 1).toInt();
            else
                faults.*(fault->flag) = true;
        }
        EXPECT_EQ(static_cast<int>(simulator::FateOf(faults, f[1].toInt())), fates.indexOf(f[2]));
    }
}

} // namespace
