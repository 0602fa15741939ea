#pragma once

/* SBPCCOMM.DLL: the driver's transport. A channel is a TCP connection or an
 * open serial device; every wait on it is bounded by a time-out.
 *
 * The driver's configuration file is $SBXPC_CONFIG when that is set, else
 * ${XDG_CONFIG_HOME:-$HOME/.config}/sbxpc/sbxpc.conf:
 *
 *   [SerialPorts]
 *   3=/dev/ttyUSB1        ; serial port 3 is this device (0 is the USB port)
 *   [Hosts]
 *   192.168.1.224=127.0.0.1:40123 ; a TCP link to this address goes here instead
 *   [Timeouts]
 *   ConnectMs=3000        ; opening a TCP connection
 *   ReplyMs=5000          ; waiting for the terminal's answer
 *
 * Without an entry for it, serial port N (N >= 1) is /dev/ttyS<N-1> and port 0
 * is the first of /dev/ttyUSB*, then /dev/ttyACM*. The file is read anew at
 * every open. */

#include "sdk/include/sbxpc/SdkExport.h"

#include <stddef.h>
#include <stdint.h>

typedef struct sbc_channel sbc_channel;

typedef struct sbc_timeouts {
    int32_t connect_ms;
    int32_t reply_ms;
} sbc_timeouts;

/* Time-outs from the configuration file; defaults 3000 and 5000 ms, each
 * kept within 10 ms .. 60 s. */
SBX_EXTERN_C SBX_EXPORT void sbc_read_timeouts(sbc_timeouts* out);

/* The device of a serial port number by the rule above. Writes at most
 * capacity-1 bytes and a zero; returns the length of the path, 0 when the
 * port has no device. */
SBX_EXTERN_C SBX_EXPORT size_t sbc_serial_device(int32_t port, char* out, size_t capacity);

/* Opens a TCP connection to a numeric IPv4 or IPv6 address (or "localhost").
 * NULL when the address is not one, nothing answers within connect_ms, or
 * the connection is refused. */
SBX_EXTERN_C SBX_EXPORT sbc_channel* sbc_open_tcp(const char* host, int32_t port, int32_t connect_ms);

/* Opens the serial port's device raw at the baud rate (9600, 19200, 38400,
 * 57600 or 115200) and discards whatever waited in it. NULL on failure. */
SBX_EXTERN_C SBX_EXPORT sbc_channel* sbc_open_serial(int32_t port, int32_t baud);

/* 1 for a serial channel, 0 for TCP. */
SBX_EXTERN_C SBX_EXPORT int sbc_is_serial(const sbc_channel* channel);

/* Sends all bytes within timeout_ms. 0 on success, -1 on failure. */
SBX_EXTERN_C SBX_EXPORT int sbc_send(sbc_channel* channel, const void* bytes, size_t n,
                                     int32_t timeout_ms);

/* Waits up to timeout_ms for bytes. Returns their number, 0 when none came in
 * time, -1 when the channel is closed or failed. */
SBX_EXTERN_C SBX_EXPORT long sbc_receive(sbc_channel* channel, void* buffer, size_t capacity,
                                         int32_t timeout_ms);

SBX_EXTERN_C SBX_EXPORT void sbc_close(sbc_channel* channel);
