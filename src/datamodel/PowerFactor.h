#pragma once
// Power factors and values bounded to one: the fold that plots a power factor near 1 next to
// one near -1, and the clamps used where a ratio must stay within [-1, 1].

// v unchanged when not finite; 1 - v for v in (0, 1]; -(v + 1) for v in [-1, 0); otherwise 1
// with the sign of v. Maps both +1 and -1 to 0 and is its own inverse on [-1, 1].
float FoldPowerFactor(float v);
// 0 when v is not finite or |v| < 0.001; |v| up to 1; 1 above.
double ClampUnitMagnitude(double v);
// ClampUnitMagnitude(v) with the sign of s (positive when s >= 0).
double ClampUnitMagnitudeSigned(double v, double s);

// Power factor (8), displacement power factor (9) and their folded forms (56, 57).
bool IsPowerFactorQuantity(int quantityId);
bool IsFoldedPowerFactorQuantity(int quantityId);
