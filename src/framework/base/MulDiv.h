#pragma once

// number * numerator / denominator through a 64-bit product, rounded to the nearest integer
// with halves away from zero. A zero denominator, or a result beyond 32 bits, gives -1, as
// the classic platform's routine of this name does.
int MulDiv(int number, int numerator, int denominator);
