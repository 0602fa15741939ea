#pragma once

#include "platform/registry/ClassRegistry.h"
#include "sdk/include/sbxpc/SbxpcControl.h"
#include "terminal/EnrolmentData.h"

#include <QString>

#include <memory>

namespace tavlo {

class ControlLibrary;

// The terminal control. Creating one looks its class up in the class
// registry, loads the registered file and creates an instance; a class that
// is not registered, a missing file or one that does not load raises Error.
//
// Every operation takes the terminal's machine number first (but CloseLink
// and DropLink) and answers true when the terminal did it. A call the control
// refuses as malformed raises Error.
//
// The read mark: with ReadMark true, BeginLogRead delivers the records that
// no earlier read confirmed; with false, all stored records. CloseLink
// confirms the records that the link's last log read delivered through
// NextLogRecord; DropLink, a broken link and a new Open... confirm nothing,
// and those records come again.
//
// Meanings the terminal gives to plain integers:
//  - enrolment numbers: 0-9 fingers, 10 password, 11 card;
//  - DeleteEnrolment(machine, user, enrolment machine, enrolment number):
//    enrolment number 12 removes every enrolment of the user;
//  - ReadEnrolmentRaw(machine, user, enrolment number, privilege, enabled,
//    password) reads an enrolment's attributes without its data;
//  - WriteEnrolmentRaw(machine, user, enrolment number, privilege, enabled,
//    password) changes those of an existing enrolment, keeping its data;
//  - GetStatusValue: 1 users, 2 enrolments, 6 new records, 8 all records.
class TSBXPC {
public:
    static constexpr const char* kClassId = "{2894E36D-6941-48E0-ABF9-0D38241884FB}";

    TSBXPC();
    explicit TSBXPC(const ClassRegistry& registry);
    ~TSBXPC();
    TSBXPC(const TSBXPC&) = delete;
    TSBXPC& operator=(const TSBXPC&) = delete;

    bool OpenTcpLink(qint32 machine, const QString& ipAddress, qint32 port, qint32 password);
    bool OpenSerialLink(qint32 machine, qint32 port, qint32 baudRate);
    // True when the terminal acknowledged the end of the link, and with it
    // the confirmation of the last log read; false when its answer never
    // came, so that nothing may be taken as confirmed.
    bool CloseLink();
    // Ends the link without confirming the records it delivered.
    void DropLink();
    // Counts `count` records from log position `first` on as delivered, on
    // the link now open, whatever read delivered them. Doing it again does no
    // harm; a terminal whose log was emptied since keeps its mark. True when
    // the terminal acknowledged.
    bool ConfirmLogRead(qint32 machine, qint32 first, qint32 count);

    bool BeginLogRead(qint32 machine);
    bool NextLogRecord(qint32 machine, qint32& terminalMachine, qint32& user, qint32& verifyKind,
                       qint32& mode, qint32& year, qint32& month, qint32& day, qint32& hour,
                       qint32& minute, qint32& second);
    bool GetStatusValue(qint32 machine, qint32 index, qint32& value);
    bool SetDeviceEnabled(qint32 machine, qint32 enabled);

    bool BeginUserRead(qint32 machine);
    bool NextUserRecord(qint32 machine, qint32& user, qint32& enrolmentMachine,
                        qint32& enrolmentNumber, qint32& privilege, qint32& enabled);
    // On success `data` holds the enrolment's 354 integers; on failure it is
    // left as it was.
    bool ReadEnrolment(qint32 machine, qint32 user, qint32 enrolmentMachine, qint32 enrolmentNumber,
                       qint32& privilege, EnrolmentData& data, qint32& password);
    // `data` must hold 354 integers.
    bool WriteEnrolment(qint32 machine, qint32 user, qint32 enrolmentMachine, qint32 enrolmentNumber,
                        qint32 privilege, EnrolmentData& data, qint32 password);
    bool DeleteEnrolment(qint32 machine, qint32 user, qint32 enrolmentMachine, qint32 enrolmentNumber);
    bool ReadEnrolmentRaw(qint32 machine, qint32 user, qint32 enrolmentNumber, qint32& privilege,
                          qint32& enabled, qint32& password);
    bool WriteEnrolmentRaw(qint32 machine, qint32 user, qint32 enrolmentNumber, qint32 privilege,
                           qint32& enabled, qint32 password);

    // weekday: 1 Monday .. 7 Sunday.
    bool GetDeviceClock(qint32 machine, qint32& year, qint32& month, qint32& day, qint32& hour,
                        qint32& minute, qint32& second, qint32& weekday);
    // Sets the terminal's clock to the PC's time.
    bool SetDeviceClock(qint32 machine);
    bool SetUserPrivilege(qint32 machine, qint32 user, qint32 enrolmentMachine,
                          qint32 enrolmentNumber, qint32 privilege);
    bool ClearLogs(qint32 machine);

    bool ReadMark() const;
    void SetReadMark(bool value);
    // True when the last log read ended with the terminal's own end of the
    // log; false when it ended because the link broke or the terminal
    // stopped answering, so that the records it delivered are not all.
    bool LastLogReadComplete() const;
    // Where in the terminal's log the last log read began, and how many
    // records NextLogRecord handed out from it: what CloseLink confirms.
    qint32 LastLogReadStart() const;
    qint32 LastLogReadCount() const;

private:
    class Call;
    sbxpc_arg invoke(qint32 dispid, qint32 kind, Call& call, const char* name) const;

    std::unique_ptr<ControlLibrary> library_;
    void* instance_ = nullptr;
};

}  // namespace tavlo
