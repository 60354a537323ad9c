#include "radio/CellReading.h"

#include "outside/CellStore.h"

namespace radio::entry {

CellReading ReadFrequencyCell(const RadioModel&, const outside::CellStore& grid, int col, int row) {
    return ParseFrequency(grid.Text(col, row));
}

} // namespace radio::entry
