#include "model/sim_options.h"

namespace quorvane::sim {

std::string_view simHelpText() {
  return R"(Usage: quorvane-sensor-sim [OPTION]...

A simulated QUORVANE ANA three-channel colour sensor. It answers every order of
the sensor's framed request/reply protocol over TCP (like the sensor's network
interface) and, on request, over a pseudo terminal that stands in for its RS-232
line, so QUORVANE ANA Scope can be used, demonstrated and tested without the
hardware. The sensor looks at a moving scene: the colour in front of it drifts
from one taught row of its teach table to the next and past colours that are not
in the table, with noise. Its parameters, teach tables and calibration live in
RAM and EEPROM images for the time the program runs.

The program runs until it is interrupted (Ctrl+C).

Transports:
  --tcp-port N         listen on TCP port N (default 10001). With 0 the system
                       picks a free port. The port is printed on standard output
                       as the line "TCP PORT <n>". One client at a time: a new
                       client replaces the connected one. When a client goes,
                       the line "MEASUREMENT FRAMES SENT <n>" tells how many
                       measurement frames (replies and auto-send) went out.
  --bind ADDRESS       address to listen on (default 127.0.0.1; 0.0.0.0 for all)
  --no-tcp             do not listen on TCP (needs --pty)
  --pty                open a pseudo terminal in raw mode and print its path as
                       the line "PTY <path>"; open that path as the serial port
  --pty-link PATH      also create the symbolic link PATH to the pseudo terminal
                       (implies --pty; the printed path is then PATH). An
                       existing symbolic link is replaced, any other file is not.
  --baud-emulation     send on the pseudo terminal no faster than the sensor's
                       current baud rate would (10 bits per byte)
  The TCP and the pseudo-terminal sensors are independent of each other.

The sensor:
  --seed N             seed of the scene's noise (default 1). The same seed and
                       the same clock give the same measurements.
  --firmware TEXT      firmware text of the identification reply
                       (default "QUORVANE ANA V1.3.2  build <build date>")
  --serial-number N    serial number, 0..65535 (default 4711)
  --trigger-period-ms N
                       period of the simulated IN0 square wave, 2..3600000 ms
                       (default 100); IN0 is high in the first half. In auto-send
                       mode a measurement frame goes out at each rising edge.
  --hwinfo-bytes N     length of the hardware information block, 0..2040
                       (default 512)
  --verbose            write every frame received and sent, in hexadecimal, to
                       standard error

Faults (for testing a tool; counted over the replies to requests on the current
connection, so the Nth reply is the Nth answer since the client connected; frames
the sensor sends on its own are not counted):
  --delay-ms N         send every reply N ms late
  --drop-every N       do not send the Nth, 2Nth, 3Nth ... reply
  --corrupt-header-every N
                       invert the header CRC of every Nth reply
  --corrupt-data-every N
                       invert the data CRC of every Nth reply (the header stays
                       valid; replies without data are not affected)
  --error-reply-word W --error-on ORDER
                       answer every request with order number ORDER with an
                       error reply (order 0) carrying the word W, and do not
                       carry the order out
  --split-delivery     send every byte in a write of its own, with event-loop
                       turns between
  --payload-delay-ms N send the data of a reply N ms after its header
  --disconnect-after N drop the connection after the Nth reply (on the pseudo
                       terminal the sensor restarts instead: unsent data and
                       per-connection state are lost)
  --plausibility-word W
                       use W as the reply word of every parameter or calibration
                       write (orders 1 and 101) and of the EEPROM load (order 4)
  --oversize-length    announce 2041 data bytes in every reply header (with a
                       valid header CRC)
  --calibration-reply-bytes N
                       answer the calibration read (order 102) with only the
                       first N (0..11) of its 12 data bytes
  --stall-scope-every N
                       of every Nth completed scope scan send the first block's
                       header and 100 of its 258 data bytes, then nothing more
                       of that scan

  --help               show this text and exit

Frames: every request and reply is an 8-byte header (0x55, order, 16-bit argument
or reply word, 16-bit data length, data CRC, header CRC; little-endian; CRC-8 of
the reflected 1-Wire polynomial starting at 0xAA) optionally followed by data.
Bytes that cannot start a header are skipped. A header with a wrong CRC, data
with a wrong CRC, or a header announcing more than 506 data bytes is answered
with an error reply (order 0, word 2); a run of garbage is answered once. An
unknown order is answered with order 0, word 1. A partial frame left alone for a
second is discarded.

Orders:
  1    write a block into RAM: argument 0/1 = the 40-byte parameter block of set
       0/1, 2/3 = the 496-byte teach table of set 0/1. The values are checked;
       every implausible field is set to its default and the reply word is the
       number of such fields. Rules: POWER > 1000, POWER MODE > 1, EVALUATION
       MODE > 6, MAX VEC NO 0 or > 31, DIGITAL OUTMODE > 3, TRIGGER > 6, EXTERN
       TEACH > 3, CALCULATION MODE > 3, DYNWIN LO or HI > 4095, DYNWIN LO above
       DYNWIN HI, COLOR GROUP > 1, LED MODE > 3, GAIN > 7, INTEGRAL > 250, ANALOG
       OUTMODE > 5, ANALOG OUT > 1; in a teach table a GROUP above 30. The reserved
       word of every teach row is kept as written. Another argument: error word 1;
       a block of the wrong size: error word 2.
  2    read a block from RAM (arguments as order 1)
  3    store both parameter sets of RAM into EEPROM
  4    load EEPROM into RAM after checking it as order 1 does; reply word = the
       number of fields set to defaults
  7    identification: the firmware text (at least 72 bytes, zero padded); the
       reply word is the serial number
  8    one measurement frame of 46 bytes (below)
  30   auto-send: argument 1 starts, 0 stops; while on, a measurement frame
       (order 8 header and 46 bytes) goes out at every rising edge of IN0
  100  offset compensation: the sensor measures its dark levels as offsets
  101  write calibration factors (argument 0) or offsets (argument 1): three
       16-bit values red, green, blue; factors above 4096 are set to 1024 and
       offsets above 4095 to 0, and the reply word counts them
  102  read calibration: factors red, green, blue, then offsets red, green, blue
  103  self-calibration: factors that make the current target read 2000, then the
       set value 2000 and the maximum delta 400 (10 bytes); nothing is stored
  105  cycle time: 32-bit count 500 and 32-bit time value 100, i.e. 500 Hz
  110  scope: argument 1 with 10 bytes (trigger level, trigger mode 0..4,
       pre-trigger count, scan rate, recorded signal 0..2) starts a recording,
       argument 0 cancels a waiting one. One sample every scan rate x 2 ms. Mode 0
       records at once; 1/2 trigger when the third recorded signal rises/falls
       through the level; 3 when colour 0 starts being detected; 4 at a rising
       edge of IN0. When the recording is complete, four frames of 258 bytes
       follow: red/X/s line, green/Y/i line, blue/INT/M line, digital states
       (bit 0 = IN0, bit 1 = a colour is detected), each 128 samples and the ring
       index; the trigger sample is in slot (ring index), the oldest in slot
       (ring index + 128 - pre-trigger) mod 128. In mode 0 the samples are in
       time order and the ring index is 0. Recorded signal 0 is RGB, 1 X/Y/INT
       (s/i/M), 2 the three analog outputs.
  190  baud-rate change to code 0..7 (9600, 19200, 38400, 57600, 115200, 230400,
       460800, 921600; other codes mean 115200); the reply goes out at the old
       rate
  194  hardware information (argument must be 0x7C19, else error word 1)

Measurement frame: calibrated red, green, blue (0..4095); X, Y, INT or s, i, M;
delta C; colour number; group; trigger; temperature (degrees Celsius); raw red,
green, blue; minimum and maximum of each channel since the last rising edge of
IN0; the three analog outputs.
  X = 4096 R/S, Y = 4096 G/S, INT = S/3 with S = R+G+B (each 0..4096);
  s = 5000 (1 + (R-G)/S) (0..10000), i = 5000 (1 - B/S) (0..5000),
  M = 1200 S/12285 (0..1200).
  Evaluation against the active rows (0 .. MAX VEC NO - 1): in the 2D modes a row
  is hit when the X/Y (s/i) distance is within cell 2 and the INT (M) difference
  within cell 4; in the 3D modes when the X/Y/INT (s/i/M) distance is within
  cell 3. FIRST HIT reports the first hit row (no hit: 255, delta C = distance
  to the nearest row), BEST HIT the nearest hit row, MIN DIST the nearest row
  whose intensity is within tolerance; COL2 and the THD modes report the output
  bits. No colour, DIGITAL OUTMODE 0 or INT (M) below INTLIM: colour 255,
  group 255, delta C -1. The trigger value follows IN0 in the trigger modes
  EXT1..PARA (PARA also selects parameter set 1 while IN0 is high), and the
  detected colour in SELF. EXT1 and EXT2 hold the most frequent and the last
  colour while IN0 is low, EXT3 reports 255. POWER MODE DYN shows the regulated
  power in the INT (M) field.

Examples:
  quorvane-sensor-sim
      a sensor on TCP port 10001 of this machine
  quorvane-sensor-sim --tcp-port 0 --pty --pty-link /tmp/ttyQUORVANE
      an ephemeral TCP port and a pseudo terminal reachable as /tmp/ttyQUORVANE
  quorvane-sensor-sim --no-tcp --pty --baud-emulation --verbose
      a serial sensor only, at realistic speed, logging every frame
  quorvane-sensor-sim --drop-every 5 --corrupt-data-every 7
      every fifth reply lost, every seventh with a bad data CRC
  quorvane-sensor-sim --error-reply-word 1 --error-on 8
      measurement requests refused as unknown orders
)";
}

} // namespace quorvane::sim
