#pragma once
// CDriveSimulator: a simulated servo drive speaking Modbus (TCP on loopback,
// or RTU on a pseudo-terminal), holding every holding register 0x0000-0xFFFF.
// 32-bit parameters take two registers, low word first. Catalogue parameters
// start at their factory values and an out-of-range write to one is refused
// with exception 03 (nothing of that request is stored).
//
// Used in-process by tests, ecamctl and ecam-host (built-in device), and by
// the ecam-drive-sim program. Start() spawns one server thread; Stop() (or
// the destructor) ends it and waits for it. Faults can be changed at run
// time from any thread; the register accessors are safe from any thread
// and are how tests assert exact register contents.
//
// Besides the random faults, single requests can be given a scripted fault
// by their number: the 1-based count of requests received since Start, the
// value RequestCount() takes when that request arrives (so the next request
// is RequestCount() + 1). Requests of every connection count.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

struct SimScriptedFault {
    // "The next answer" below is the next one the simulator sends on the same
    // link: the same TCP connection (a connection that closes loses what
    // waits for it), or the RTU line, whoever asks next.
    enum Kind {
        Late,             // answer `value` ms after the request arrived (in place of delayMs)
        Exception,        // refuse with exception code `value`; nothing is stored
        Close,            // TCP: close the connection without answering; RTU: drop the request, answer nothing
        BadFrame,         // carry the request out, then answer with a wrong CRC (RTU) or a
                          // wrong transaction id in the header (TCP)
        Truncated,        // carry the request out, send the first half of the answer only
        OtherUnit,        // carry the request out, answer well-formed but as unit + 1
        Silent,           // neither carry out nor answer
        AckWithoutStore,  // answer a write as done without storing it (reads are answered normally)
        Duplicate,        // answer, then send the same answer again `value` ms later (other
                          // requests are answered meanwhile)
        Held,             // carry the request out, hold the answer back and send it just in
                          // front of the next answer: a late answer, wherever the client's
                          // retry falls in time
        Repeated,         // answer, and send the same answer again just in front of the next
                          // answer, as a line that repeats a frame
    };
    Kind kind = Silent;
    int value = 0;
    bool operator==(const SimScriptedFault&) const = default;
};

struct SimFaults {
    int delayMs = 0;        // answer each request this late
    double dropRate = 0.0;  // fraction of requests left without an answer (0..1)
    int closeAfter = 0;     // TCP: close a connection after this many requests (0: never)
    uint32_t seed = 1;      // seed of the drop decisions
    // Request number -> its fault; a scripted request is never dropped at random.
    std::map<uint64_t, SimScriptedFault> script;
};

struct SimOptions {
    bool rtu = false;                  // false: TCP server; true: RTU on a new pty pair
    std::string bindAddress = "127.0.0.1";
    uint16_t port = 0;                 // TCP port, 0: ephemeral (a restart keeps the port first bound)
    int unit = 1;                      // RTU slave id (TCP answers any unit id)
    int baud = 115200;                 // RTU: put in the URL; with emulateLineTiming also paced
    bool emulateLineTiming = false;    // RTU: sleep for the bytes' time on a real line
    std::string cataloguePath;         // empty: CFunCodeInterface::DefaultPath()
    SimFaults faults;
};

class CDriveSimulator {
public:
    explicit CDriveSimulator(SimOptions options = {});
    ~CDriveSimulator();
    CDriveSimulator(const CDriveSimulator&) = delete;
    CDriveSimulator& operator=(const CDriveSimulator&) = delete;

    // Loads the catalogue, opens the port or pty and starts serving. False
    // (and why) on failure. Returns once the server accepts requests.
    bool Start(std::string* error = nullptr);
    void Stop();
    bool Running() const;

    // tcp://127.0.0.1:PORT?unit=N or rtu:/dev/pts/N?baud=B&parity=N&data=8&stop=1&unit=N
    std::string Url() const;
    uint16_t Port() const;         // TCP: the bound port
    std::string PtyPath() const;   // RTU: the path clients open

    void SetFaults(const SimFaults& faults);
    SimFaults Faults() const;
    // Gives request number `requestNumber` (see above) the fault `fault`,
    // replacing any fault scripted for it before.
    void ScriptFault(uint64_t requestNumber, SimScriptedFault fault);

    // Direct register access (bypasses limits and faults).
    uint16_t Register(uint16_t address) const;
    void SetRegister(uint16_t address, uint16_t value);
    uint32_t Register32(uint16_t address) const;  // low word at address
    void SetRegister32(uint16_t address, uint32_t value);
    // Requests received (answered, refused or dropped) since Start.
    uint64_t RequestCount() const;
    // Waits until at least n requests were received; false on timeout.
    bool WaitRequests(uint64_t n, int timeoutMs) const;
    // TCP connections the simulator closed itself (closeAfter, scripted
    // Close) since Start.
    uint64_t ClosedConnections() const;
    // Waits until at least n connections were closed that way; false on timeout.
    bool WaitClosedConnections(uint64_t n, int timeoutMs) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
