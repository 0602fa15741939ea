#pragma once

/* SBXPCDLL.dll: the terminal operations. A link speaks the wire protocol to
 * one terminal over an SBPCCOMM channel. Every operation returns 1 when the
 * terminal did it and 0 otherwise (no link, another machine number, refused,
 * no answer in time); a link whose terminal stops answering is dropped.
 *
 * The read mark: a log read with new_only delivers the records that no
 * earlier read confirmed. sbx_close() confirms the records of the link's last
 * log read that sbx_next_log_record() handed out; sbx_drop(), a broken link
 * and a new open confirm nothing, so those records come again. */

#include "sdk/include/sbxpc/SdkExport.h"

#include <stdint.h>

#define SBX_ENROLMENT_WORDS 354
#define SBX_DELETE_ALL_ENROLMENTS 12

typedef struct sbx_link sbx_link;

SBX_EXTERN_C SBX_EXPORT sbx_link* sbx_link_create(void);
SBX_EXTERN_C SBX_EXPORT void sbx_link_destroy(sbx_link* link);

SBX_EXTERN_C SBX_EXPORT int sbx_open_tcp(sbx_link* link, int32_t machine, const char* host,
                                         int32_t port, int32_t password);
SBX_EXTERN_C SBX_EXPORT int sbx_open_serial(sbx_link* link, int32_t machine, int32_t port,
                                            int32_t baud);
/* 1 when the terminal acknowledged the end of the link and the confirmation
 * it carried; 0 when its answer never came or no link was open. */
SBX_EXTERN_C SBX_EXPORT int sbx_close(sbx_link* link);
SBX_EXTERN_C SBX_EXPORT void sbx_drop(sbx_link* link);
/* 1 when the link's last log read ended with the terminal's own end of the
 * log, 0 when it ended because the link broke or no read ended yet. */
SBX_EXTERN_C SBX_EXPORT int sbx_log_read_complete(const sbx_link* link);
SBX_EXTERN_C SBX_EXPORT int sbx_is_open(const sbx_link* link);
/* Where the link's last log read began in the terminal's log, and how many
 * of its records sbx_next_log_record() handed out. */
SBX_EXTERN_C SBX_EXPORT uint32_t sbx_log_read_start(const sbx_link* link);
SBX_EXTERN_C SBX_EXPORT uint32_t sbx_log_read_count(const sbx_link* link);
/* Confirms the `count` records from log position `first` on, whatever read
 * delivered them; confirming them again does no harm, and a mark that stands
 * before `first` (the log was emptied since) is left alone. 1 when the
 * terminal acknowledged. */
SBX_EXTERN_C SBX_EXPORT int sbx_confirm_log(sbx_link* link, int32_t machine, uint32_t first,
                                            uint32_t count);

SBX_EXTERN_C SBX_EXPORT int sbx_begin_log_read(sbx_link* link, int32_t machine, int new_only);
/* values: terminal machine number, user, verify kind (1 finger, 2 password,
 * 3 card), mode, year, month, day, hour, minute, second. */
SBX_EXTERN_C SBX_EXPORT int sbx_next_log_record(sbx_link* link, int32_t machine, int32_t values[10]);
/* index 1 users, 2 enrolments, 6 unconfirmed records, 8 all records. */
SBX_EXTERN_C SBX_EXPORT int sbx_get_status(sbx_link* link, int32_t machine, int32_t index,
                                           int32_t* value);
SBX_EXTERN_C SBX_EXPORT int sbx_set_enabled(sbx_link* link, int32_t machine, int32_t enabled);

SBX_EXTERN_C SBX_EXPORT int sbx_begin_user_read(sbx_link* link, int32_t machine);
/* values: user, enrolment machine number, enrolment number, privilege,
 * enabled state. */
SBX_EXTERN_C SBX_EXPORT int sbx_next_user_record(sbx_link* link, int32_t machine, int32_t values[5]);

/* Enrolment numbers: 0-9 fingers, 10 password, 11 card. The enrolment
 * machine number must be the terminal's own. */
SBX_EXTERN_C SBX_EXPORT int sbx_read_enrolment(sbx_link* link, int32_t machine, int32_t user,
                                               int32_t enrolment_machine, int32_t number,
                                               int32_t* privilege, int32_t data[SBX_ENROLMENT_WORDS],
                                               int32_t* password);
SBX_EXTERN_C SBX_EXPORT int sbx_write_enrolment(sbx_link* link, int32_t machine, int32_t user,
                                                int32_t enrolment_machine, int32_t number,
                                                int32_t privilege,
                                                const int32_t data[SBX_ENROLMENT_WORDS],
                                                int32_t password);
/* number SBX_DELETE_ALL_ENROLMENTS removes every enrolment of the user. */
SBX_EXTERN_C SBX_EXPORT int sbx_delete_enrolment(sbx_link* link, int32_t machine, int32_t user,
                                                 int32_t enrolment_machine, int32_t number);
/* The raw operations reach an existing enrolment's attributes, not its data. */
SBX_EXTERN_C SBX_EXPORT int sbx_read_enrolment_raw(sbx_link* link, int32_t machine, int32_t user,
                                                   int32_t number, int32_t* privilege,
                                                   int32_t* enabled, int32_t* password);
SBX_EXTERN_C SBX_EXPORT int sbx_write_enrolment_raw(sbx_link* link, int32_t machine, int32_t user,
                                                    int32_t number, int32_t privilege,
                                                    int32_t* enabled, int32_t password);
SBX_EXTERN_C SBX_EXPORT int sbx_set_privilege(sbx_link* link, int32_t machine, int32_t user,
                                              int32_t enrolment_machine, int32_t number,
                                              int32_t privilege);

/* values: year, month, day, hour, minute, second, weekday (1 Monday..7 Sunday). */
SBX_EXTERN_C SBX_EXPORT int sbx_get_clock(sbx_link* link, int32_t machine, int32_t values[7]);
/* Sets the terminal's clock to the PC's local time. */
SBX_EXTERN_C SBX_EXPORT int sbx_set_clock(sbx_link* link, int32_t machine);
SBX_EXTERN_C SBX_EXPORT int sbx_clear_logs(sbx_link* link, int32_t machine);
