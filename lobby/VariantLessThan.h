#pragma once

class QVariant;

// The order of two raw cell values on which every lobby proxy sorts:
// stakes by their buy-in total, table capacities by their own order, other
// value types with an order of their own by it, numbers, dates and times by
// value, everything else as plain case-sensitive strings.
bool variantLessThan(const QVariant &left, const QVariant &right);
