#include "params/parameter_exchange.h"

#include "link/sensor_link.h"

namespace quorvane {

QString ramPlausibilityMessage(unsigned n) {
  return QStringLiteral("INFO!\n") + QString::number(n) +
         QStringLiteral(" PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO "
                        "DEFAULT VALUE!");
}

QString eepromPlausibilityMessage(unsigned n) {
  return QStringLiteral("INFO!\n") + QString::number(n) +
         QStringLiteral(" PARAMETER FROM EEPROM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO "
                        "DEFAULT VALUE!\n\n");
}

QCoro::Task<std::optional<ParameterSetRead>>
readParameterSet(SensorLink &link, ParameterMemory memory, int set,
                 std::function<void(std::uint16_t)> eepromRejected) {
  const auto argument = static_cast<std::uint16_t>(set);
  ParameterSetRead read;
  if (memory == ParameterMemory::Eeprom) {
    const LinkReply loaded = co_await link.request(Order::LoadFromEeprom, 0);
    if (!loaded) co_return std::nullopt;
    read.eepromRejected = loaded.header.argument;
    if (read.eepromRejected != 0 && eepromRejected) eepromRejected(read.eepromRejected);
  }
  const LinkReply record = co_await link.request(Order::ReadParameters, argument);
  if (!record) co_return std::nullopt;
  const LinkReply table =
      co_await link.request(Order::ReadParameters, static_cast<std::uint16_t>(argument + 2));
  if (!table) co_return std::nullopt;
  read.para = decodeParameters(record.payload);
  read.table = decodeTeachTable(table.payload);
  co_return read;
}

QCoro::Task<std::optional<ParameterSetWritten>> writeParameterSet(SensorLink &link, int set,
                                                                  SensorParameters para,
                                                                  TeachTable table, bool toEeprom) {
  const auto argument = static_cast<std::uint16_t>(set);
  ParameterSetWritten written;

  const ParameterBytes record = encodeParameters(para);
  LinkReply reply = co_await link.request(Order::WriteParameters, argument,
                                          std::vector<std::uint8_t>(record.begin(), record.end()));
  if (!reply) co_return std::nullopt;
  written.recordRejected = reply.header.argument;
  // The sensor reset what it rejected; the teach table still goes out.
  if (written.recordRejected != 0) link.report(ramPlausibilityMessage(written.recordRejected));

  const TeachTableBytes tableBytes = encodeTeachTable(table);
  reply = co_await link.request(Order::WriteParameters, static_cast<std::uint16_t>(argument + 2),
                                std::vector<std::uint8_t>(tableBytes.begin(), tableBytes.end()));
  if (!reply) co_return std::nullopt;
  written.tableRejected = reply.header.argument;
  if (written.tableRejected != 0) link.report(ramPlausibilityMessage(written.tableRejected));

  if (toEeprom && !co_await link.request(Order::StoreToEeprom, 0)) co_return std::nullopt;
  co_return written;
}

} // namespace quorvane
