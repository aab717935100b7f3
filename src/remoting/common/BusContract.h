#pragma once

// The names of the bus contract that server and clients share.
namespace corvane::remoting::contract {

inline constexpr char kServiceName[] = "org.corvane.CorvaneSim";
inline constexpr char kRootPath[] = "/org/corvane/CorvaneSim";
inline constexpr char kNothingPath[] = "/";

inline constexpr char kClassFactoryInterface[] = "org.corvane.Automation1.ClassFactory";
inline constexpr char kObjectInterface[] = "org.corvane.Automation1.Object";
inline constexpr char kDispatchInterface[] = "org.corvane.Automation1.Dispatch";
inline constexpr char kEnumVariantInterface[] = "org.corvane.Automation1.EnumVARIANT";
// On the root path: the address of the server's own socket, where clients make
// the same calls without the bus daemon in between.
inline constexpr char kDirectConnectionInterface[] = "org.corvane.Automation1.DirectConnection";

// The operator's controls, for programs that steer the server; no part of the
// object model's contract, and not listed below the root.
inline constexpr char kOperatorPath[] = "/org/corvane/CorvaneSim/Operator";
inline constexpr char kOperatorInterface[] = "org.corvane.Operator1";

// Message signatures of the calls, as the server insists on them.
inline constexpr char kCreateInstanceSignature[] = "s";
inline constexpr char kGetIDsOfNamesSignature[] = "as";
inline constexpr char kInvokeSignature[] = "iqa(qv)ai";
inline constexpr char kCountSignature[] = "u";

// Reply of GetTypeInfo: name, identifier, and per member its name, dispatch
// identifier, kind (the invoke flag it answers to), parameters (name, type
// code, interface name, by reference, optional), result type code, result
// interface name and member flags.
inline constexpr char kTypeInfoSignature[] = "ssa(siqa(sqsbb)qsq)";
enum MemberFlags : unsigned short { kMemberHidden = 1, kMemberDefault = 2, kMemberEnumerator = 4 };

}  // namespace corvane::remoting::contract
