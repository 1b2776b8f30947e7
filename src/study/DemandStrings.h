#pragma once
// String-table ids of the demand tables' and the demand graph's own texts.
namespace demandstr {
inline constexpr unsigned kForwardEnergy = 8332;
inline constexpr unsigned kReverseEnergy = 8333;
inline constexpr unsigned kTotalEnergy = 10480;
inline constexpr unsigned kMaximumDemand = 10481;
inline constexpr unsigned kCostOfEnergy = 10482;
inline constexpr unsigned kStandard = 10483;
inline constexpr unsigned kAdvanced = 10484;
inline constexpr unsigned kTotalEnergyCost = 10485;
inline constexpr unsigned kDemandInterval = 10486;
inline constexpr unsigned kDemandIntervalCount = 10487;
inline constexpr unsigned kNoInterval = 10488;
inline constexpr unsigned kCost = 10489;
inline constexpr unsigned kPerKWhForward = 10490;
inline constexpr unsigned kPerKWhReverse = 10491;
inline constexpr unsigned kToolBarData = 10492;
inline constexpr unsigned kEnergyAxis = 10493;
inline constexpr unsigned kUnpricedFootnote = 10494;
inline constexpr unsigned kPowerFactorAxis = 8306;
inline constexpr unsigned kAuxAxis = 8123;
} // namespace demandstr
