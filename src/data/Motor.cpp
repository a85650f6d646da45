#include "Motor.h"

// BaglantiOlaylari is made by moc; the engines are abstract here.
