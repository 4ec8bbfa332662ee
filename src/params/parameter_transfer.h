#pragma once
// What the loops of other subsystems ask of the parameter subsystem between two
// measurements: the controls into the records, SEND, GET, and the calculation mode the
// parameter page shows now.
namespace quorvane {

class ParameterTransfer {
public:
  virtual ~ParameterTransfer() = default;
  virtual void GetPanelValues() = 0;
  // Both blocks to the sensor; the result of the last exchange made (1 on success).
  [[nodiscard]] virtual int SendPara() = 0;
  virtual void GetPara() = 0;
  [[nodiscard]] virtual int calculationMode() const = 0;
};

} // namespace quorvane
