/* VISA types and the one VISA call the front panels use.
 *
 * The real VISA library is not on this machine; libvisa.so stands in for it with the
 * same C ABI on x86-64 Linux. Hosts, plug-ins and driver stand-ins include this header.
 */
#ifndef SFP_VISA_H
#define SFP_VISA_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t ViUInt32;
typedef int32_t ViInt32;
typedef uint16_t ViUInt16;
typedef int16_t ViInt16;
typedef char ViChar;
typedef double ViReal64;
typedef uint16_t ViBoolean;
typedef ViUInt32 ViObject;
typedef ViObject ViSession;
typedef ViUInt32 ViAttr;
typedef ViInt32 ViStatus;

#define VI_NULL 0
#define VI_TRUE 1
#define VI_FALSE 0
#define VI_SUCCESS 0
#define VI_ATTR_USER_DATA 0x3FFF000AUL

/* Errors the stand-in itself returns. */
#define VI_ERROR_INV_OBJECT ((ViStatus)0xBFFF000EL)
#define VI_ERROR_NSUP_ATTR ((ViStatus)0xBFFF001DL)

/* Reads an attribute of a session. For VI_ATTR_USER_DATA, stores the session's record
 * pointer (a void *) into *attrState. */
ViStatus viGetAttribute(ViObject vi, ViAttr attribute, void *attrState);

/* Sets an attribute of a session. Only VI_ATTR_USER_DATA is supported: attrState is the
 * record pointer itself, passed as an integer of pointer size. */
ViStatus viSetAttribute(ViObject vi, ViAttr attribute, uintptr_t attrState);

#ifdef __cplusplus
}
#endif

#endif /* SFP_VISA_H */
