// A model-layer file that includes the chart layer above it: the layer check must refuse it.
#include "chart/Score.h"
#include "model/ModelDocument.h"
