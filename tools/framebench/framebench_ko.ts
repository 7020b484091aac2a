<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>FrameBench</name>
    <message>
        <source>CONNECT</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>연결 해제</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>The port number is not a decimal number.</source>
        <translation>포트 번호가 10진수가 아닙니다.</translation>
    </message>
    <message>
        <source>The baud rate is not a number.</source>
        <translation>통신 속도가 숫자가 아닙니다.</translation>
    </message>
    <message>
        <source>connection failed.</source>
        <translation>연결에 실패했습니다.</translation>
    </message>
    <message>
        <source>There is NO data to insert.</source>
        <translation>추가할 데이터가 없습니다.</translation>
    </message>
    <message>
        <source>Failed to convert.</source>
        <translation>변환하지 못했습니다.</translation>
    </message>
    <message>
        <source>The number inserted is bigger than expected.</source>
        <translation>입력한 숫자가 허용 범위를 벗어났습니다.</translation>
    </message>
    <message>
        <source>No data to calculate the CRC.</source>
        <translation>CRC를 계산할 데이터가 없습니다.</translation>
    </message>
    <message>
        <source>The send buffer holds at most %1 bytes; nothing was added.</source>
        <translation>송신 버퍼는 최대 %1바이트입니다. 아무것도 추가하지 않았습니다.</translation>
    </message>
    <message>
        <source>It&apos;s NOT connected yet.</source>
        <translation>아직 연결되지 않았습니다.</translation>
    </message>
    <message>
        <source>WriteComm Error</source>
        <translation>송신 오류</translation>
    </message>
    <message>
        <source>The receive buffer holds at most %1 bytes: %2 further bytes were discarded.</source>
        <translation>수신 버퍼는 최대 %1바이트입니다. 초과한 %2바이트는 버렸습니다.</translation>
    </message>
    <message>
        <source>Nothing was received.</source>
        <translation>수신된 데이터가 없습니다.</translation>
    </message>
    <message>
        <source>%1 bytes received. </source>
        <translation>%1바이트 수신. </translation>
    </message>
    <message>
        <source>No frame header (AA CC) was received.</source>
        <translation>프레임 헤더(AA CC)를 받지 못했습니다.</translation>
    </message>
    <message>
        <source>The frame has no tail (AA EE).</source>
        <translation>프레임에 테일(AA EE)이 없습니다.</translation>
    </message>
    <message>
        <source>The frame is too short: %1.</source>
        <translation>프레임이 너무 짧습니다: %1.</translation>
    </message>
    <message>
        <source>CRC good</source>
        <translation>CRC 정상</translation>
    </message>
    <message>
        <source>CRC bad</source>
        <translation>CRC 오류</translation>
    </message>
    <message>
        <source>Slave %1, sync %2, type %3, status %4, data %5, %6</source>
        <translation>슬레이브 %1, 동기 번호 %2, 종류 %3, 상태 %4, 데이터 %5, %6</translation>
    </message>
    <message>
        <source>Legacy form: slave %1, type %2, status %3, data %4, %5</source>
        <translation>구형 프레임: 슬레이브 %1, 종류 %2, 상태 %3, 데이터 %4, %5</translation>
    </message>
    <message>
        <source> (%1 bytes before the header)</source>
        <translation> (헤더 앞 %1바이트)</translation>
    </message>
</context>
<context>
    <name>ToolUi</name>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Unexpected failure: %1</source>
        <translation>예기치 않은 오류: %1</translation>
    </message>
</context>
<context>
    <name>tarsel::framebench::FrameBenchDialog</name>
    <message>
        <source>Connection</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>&amp;About framebench...</source>
        <translation>framebench 정보(&amp;A)...</translation>
    </message>
    <message>
        <source>Comm Port</source>
        <translation>통신 포트</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>통신 속도</translation>
    </message>
    <message>
        <source>Send Buffer</source>
        <translation>송신 버퍼</translation>
    </message>
    <message>
        <source>1. Header</source>
        <translation>1. 헤더</translation>
    </message>
    <message>
        <source>2. SlaveNo</source>
        <translation>2. 슬레이브 번호</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1바이트</translation>
    </message>
    <message>
        <source>2 bytes</source>
        <translation>2바이트</translation>
    </message>
    <message>
        <source>4 bytes</source>
        <translation>4바이트</translation>
    </message>
    <message>
        <source>4. CRC</source>
        <translation>4. CRC</translation>
    </message>
    <message>
        <source>5. Tail</source>
        <translation>5. 테일</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation>지우기</translation>
    </message>
    <message>
        <source>SEND &gt;&gt;</source>
        <translation>보내기 &gt;&gt;</translation>
    </message>
    <message>
        <source>Append hex</source>
        <translation>16진수 추가</translation>
    </message>
    <message>
        <source>3. Data</source>
        <translation>3. 데이터</translation>
    </message>
    <message>
        <source>Buffer Received</source>
        <translation>수신 버퍼</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>값</translation>
    </message>
    <message>
        <source>BYTE :</source>
        <translation>BYTE :</translation>
    </message>
    <message>
        <source>WORD :</source>
        <translation>WORD :</translation>
    </message>
    <message>
        <source>DWORD :</source>
        <translation>DWORD :</translation>
    </message>
    <message>
        <source>CHAR :</source>
        <translation>CHAR :</translation>
    </message>
    <message>
        <source>SHORT :</source>
        <translation>SHORT :</translation>
    </message>
    <message>
        <source>LONG :</source>
        <translation>LONG :</translation>
    </message>
    <message>
        <source>About framebench</source>
        <translation>framebench 정보</translation>
    </message>
</context>
</TS>
