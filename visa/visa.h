// Our VISA layer: the calls the instrument link makes, over VXI-11 (LAN)
// and the Linux usbtmc driver (USB). Sessions may be shared by threads:
// each call holds its session's lock for one exchange.
#ifndef WATTLEX_VISA_H
#define WATTLEX_VISA_H

#include <cstdint>

typedef int32_t ViInt32;
typedef uint32_t ViUInt32;
typedef int16_t ViInt16;
typedef uint16_t ViUInt16;
typedef uint8_t ViByte;
typedef char ViChar;
typedef ViUInt32 ViObject;
typedef ViObject ViSession;
typedef ViUInt32 *ViPUInt32;
typedef ViSession *ViPSession;
typedef ViInt32 ViStatus;
typedef ViUInt32 ViAttr;
typedef uint64_t ViAttrState;
typedef ViUInt32 ViAccessMode;
typedef ViObject ViFindList;
typedef ViFindList *ViPFindList;
typedef ViByte *ViBuf;
typedef const ViByte *ViConstBuf;
typedef ViByte *ViPBuf;
typedef ViChar *ViString;
typedef const ViChar *ViConstString;
typedef const ViChar *ViRsrc;
typedef const ViChar *ViConstRsrc;
typedef ViChar *ViPRsrc;

#define VI_NULL 0
#define VI_TRUE 1
#define VI_FALSE 0
#define VI_FIND_BUFLEN 256
#define VI_NO_LOCK 0
#define VI_TMO_IMMEDIATE 0u
#define VI_TMO_INFINITE 0xFFFFFFFFu

// Completion codes (>= 0) and errors (< 0); our own numbering.
#define VI_SUCCESS ((ViStatus)0)
#define VI_SUCCESS_TERM_CHAR ((ViStatus)1)
#define VI_SUCCESS_MAX_CNT ((ViStatus)2)
#define VI_ERROR_SYSTEM_ERROR ((ViStatus)-1)
#define VI_ERROR_INV_OBJECT ((ViStatus)-2)
#define VI_ERROR_RSRC_NFOUND ((ViStatus)-3)
#define VI_ERROR_INV_RSRC_NAME ((ViStatus)-4)
#define VI_ERROR_TMO ((ViStatus)-5)
#define VI_ERROR_CLOSING_FAILED ((ViStatus)-6)
#define VI_ERROR_NSUP_ATTR ((ViStatus)-7)
#define VI_ERROR_NSUP_ATTR_STATE ((ViStatus)-8)
#define VI_ERROR_INV_EXPR ((ViStatus)-9)
#define VI_ERROR_IO ((ViStatus)-10)
#define VI_ERROR_CONN_LOST ((ViStatus)-11)
#define VI_ERROR_INV_SETUP ((ViStatus)-12)
#define VI_ERROR_ALLOC ((ViStatus)-13)
#define VI_ERROR_ABORT ((ViStatus)-14) // cut short by the thread's visa_abort_t

// Attributes
#define VI_ATTR_TMO_VALUE ((ViAttr)1)   // milliseconds
#define VI_ATTR_RSRC_NAME ((ViAttr)2)   // ViChar[VI_FIND_BUFLEN]

ViStatus viOpenDefaultRM(ViPSession vi);
ViStatus viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode,
                ViUInt32 timeout, ViPSession vi);
ViStatus viClose(ViObject vi);
ViStatus viWrite(ViSession vi, ViConstBuf buf, ViUInt32 cnt, ViPUInt32 retCnt);
ViStatus viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViPUInt32 retCnt);
ViStatus viClear(ViSession vi);
ViStatus viSetAttribute(ViObject vi, ViAttr attr, ViAttrState value);
ViStatus viGetAttribute(ViObject vi, ViAttr attr, void *value);
ViStatus viFindRsrc(ViSession sesn, ViConstString expr, ViPFindList vi,
                    ViPUInt32 retCnt, ViChar desc[]);
ViStatus viFindNext(ViFindList vi, ViChar desc[]);

#endif
