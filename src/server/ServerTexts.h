#pragma once
// Every text the control server sends to players or writes to the log. Players and operators
// depend on these byte for byte; keep them as they are, typos included.

namespace lum::server_texts {

// Server object
inline constexpr const char* kInvalidUser = "Invalid User, you've been kicked out";
inline constexpr const char* kInvalidPassword = "Invalid Password, check your password and re-login";
inline constexpr const char* kServerStart = "Control Server start on port %1";
inline constexpr const char* kServerListenFailed = "Control Server failed to listen on port %1.";
inline constexpr const char* kServerStopped = "Control Server stopped.";
inline constexpr const char* kThreadStopped = "[%1] Thread successfully stopped.";
// The string table holds this one with a leading double quote.
inline constexpr const char* kThreadKillProblem = "\"[%1] Problem while killing thread.";
inline constexpr const char* kClientConnected = "[%1] Client connected from %2.";
inline constexpr const char* kClientDisconnected = "[%1] Client disconnected from %2.";

// Control connection
inline constexpr const char* kTooManyUsers = "421 Too many users are connected, please try again later.";
inline constexpr const char* kIpRejected = "421 Access denied, IP address was rejected by the server.";
inline constexpr const char* kGreeting = "220 %1";
inline constexpr const char* kControlTimedOut = "426 Control Connection timed out";
inline constexpr const char* kReplyFailed = "Could not send reply, disconnected.";
inline constexpr const char* kLineTooLong = "500 Command line too long.";
inline constexpr const char* kAliveAck = "601 Server ALIVE Ack";

// Interpreter
inline constexpr const char* kSyntaxError = "501 Syntax error: Invalid number of parameters.";
inline constexpr const char* kPleaseLogin = "530 Please login with USER and PASS.";
inline constexpr const char* kNotImplemented = "502 Command not implemented - Try HELP.";
inline constexpr const char* kPasswordRequired = "331 Password required for %1";
inline constexpr const char* kLoggedInUser = "230 User successfully logged in group [%1].";
inline constexpr const char* kLoggedInPass = "230 User successfully logged in group [%1]";
inline constexpr const char* kLoginWithUserFirst = "503 Login with USER first.";
inline constexpr const char* kNotLoggedIn = "530 Not logged in, user or password incorrect!";
inline constexpr const char* kReply220 = "220 %1";
inline constexpr const char* kSyst = "215 UNIX emulated by ZEB Internet Control Server.";
inline constexpr const char* kNoopOk = "200 OK";
inline constexpr const char* kTypeSet = "200 Type set to %1";
inline constexpr const char* kPwd = "257 \"%1\" is current directory.";
inline constexpr const char* kDirNotFoundArg = "550 \"%1\": Directory not found.";
inline constexpr const char* kCwdOk = "250 \"%1\" is current directory.";
inline constexpr const char* kDirExists = "550 Directory already exists.";
inline constexpr const char* kDirCreated = "250 Directory created successfully.";
inline constexpr const char* kDirCreateError = "450 Internal error creating the directory.";
inline constexpr const char* kDirNotFound = "550 Directory not found.";
inline constexpr const char* kDirDeleted = "250 Directory deleted successfully.";
inline constexpr const char* kDirNotEmpty = "550 Directory not empty.";
inline constexpr const char* kDirDeleteError = "450 Internal error deleting the directory.";
inline constexpr const char* kFileNotFound = "550 File not found.";
inline constexpr const char* kFileDeleted = "250 File \"%1\" was deleted successfully.";
inline constexpr const char* kFileDeleteError = "450 Internal error deleting the file: \"%1\".";
inline constexpr const char* kRnfrFile = "350 File exists, ready for destination name.";
inline constexpr const char* kRnfrDir = "350 Directory exists, ready for destination name.";
inline constexpr const char* kRnfrNotFound = "550 File/directory not found.";
inline constexpr const char* kBadSequence = "503 Bad sequence of commands.";
inline constexpr const char* kAlreadyExists = "550 %1 already exists.";
inline constexpr const char* kRenamed = "250 %1 \"%2\" renamed successfully.";
inline constexpr const char* kRenameError = "450 Internal error renaming the %1: \"%2\".";
inline constexpr const char* kSize = "213 %1";
inline constexpr const char* kRest = "350 Restarting at %1.";
inline constexpr const char* kHelpHead = "214-The following commands are recognized:\r\n";
inline constexpr const char* kHelpTail = "\r\n214 HELP command successful.";
inline constexpr const char* kHelpOne = "214 %1";
inline constexpr const char* kHelpUnknown = "501 Unknown command %1";
// %1 the name, %2 the player's address.
inline constexpr const char* kRegistrationLimited =
    "New account %1 from %2 refused: too many new names from this address.";
inline constexpr const char* kRegistrationOff =
    "New account %1 from %2 refused: AUTOREGISTER is off.";

// Data connection
inline constexpr const char* kPortOk = "200 Port command successful.";
inline constexpr const char* kPortForeign = "504 Command not implemented for that parameter.";
inline constexpr const char* kPassive = "227 Entering Passive Mode (%1,%2,%3).";
inline constexpr const char* kCantOpenData = "425 Can't open data connection.";
inline constexpr const char* kDataSocketFailed = "421 Failed to create data connection socket.";
inline constexpr const char* kOpeningList = "125 Opening ASCII mode data connection for directory list.";
inline constexpr const char* kOpeningFile = "125 Opening BINARY mode data connection for file transfer.";
inline constexpr const char* kRetrNotFound = "550 File not found.(%1)";
inline constexpr const char* kListAborted = "426 Connection closed; transfer aborted.";
inline constexpr const char* kDataAborted = "426 Data Connection closed; transfer aborted.";
inline constexpr const char* kCantAccessFile = "450 Can't access file.";
inline constexpr const char* kDataSocketClosed = "DataSocket Connection closed";
inline constexpr const char* kAborDataClosed = "426 Data connection closed.";
inline constexpr const char* kAborOk = "226 ABOR command successful.";

// Player messages
inline constexpr const char* kAckOk = "200 ACK ok";
inline constexpr const char* kReportDone = "Done";
inline constexpr const char* kDownloadDoneReply = "Download Done";
inline constexpr const char* kInstantSent = "Succeeded in sending Instant Message ";
inline constexpr const char* kInstantStopped = "Instant Message Stoped";
inline constexpr const char* kMacNotAnAddress = "MAC report ignored, not an address: %1";
inline constexpr const char* kMacTooManyChanges =
    "MAC report ignored, the connection changed its address too often: %1";
inline constexpr const char* kMacCommand = "%1 %2";  // 643 and the address handed out
inline constexpr int kSetMacCode = 643;
inline constexpr const char* kMacListFile = "Mac.txt";
inline constexpr const char* kPlayReportFile = "PlayReport.txt";

}  // namespace lum::server_texts
