#include "model/colour_space.h"
#include "model/sensor_model.h"

namespace quorvane::sim {
namespace {

// A row taught from a colour, with the BEST HIT tolerances of the X Y INT - 2D mode.
TeachVector taughtRow(const Rgb &colour, std::uint16_t group) {
  const Coords c = toXyInt(colour);
  TeachVector row;
  row.cell = {static_cast<std::uint16_t>(c.a), static_cast<std::uint16_t>(c.b), 200,
              static_cast<std::uint16_t>(c.c), 200};
  row.group = group;
  row.hold = 10;
  return row;
}

TeachTable table(const std::array<Rgb, 3> &colours, std::uint16_t reservedBase) {
  TeachTable t{};
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    if (r < colours.size()) {
      t[r] = taughtRow(colours[r], static_cast<std::uint16_t>(r));
    } else {
      t[r].cell = {1, 1, 1, 1, 1};
      t[r].hold = 10;
    }
    // Sensor-internal data that a tool must carry back unchanged.
    t[r].reserved = static_cast<std::uint16_t>(reservedBase + r);
  }
  return t;
}

} // namespace

SensorMemory initialMemory() {
  SensorParameters p;
  p.maxVecNo = 3;
  p.digitalOutmode = 2; // BINARY: three colours on the two outputs
  p.analogOutmode = 2;  // X Y INT on the analog outputs
  SensorMemory m;
  m.params = {p, p};
  m.teach[0] = table({Rgb{2600, 900, 700}, Rgb{800, 2400, 1000}, Rgb{700, 1100, 2600}}, 0x5A00);
  m.teach[1] = table({Rgb{2500, 2300, 600}, Rgb{700, 2200, 2400}, Rgb{2400, 800, 2200}}, 0x5B00);
  return m;
}

} // namespace quorvane::sim
