<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>Plotvane</name>
    <message>
        <source>Open Recording</source>
        <translation>기록 열기</translation>
    </message>
    <message>
        <source>Recordings (*.csv);;All Files (*)</source>
        <translation>기록 (*.csv);;모든 파일 (*)</translation>
    </message>
    <message>
        <source>Save Recording</source>
        <translation>기록 저장</translation>
    </message>
    <message>
        <source>Recordings (*.csv)</source>
        <translation>기록 (*.csv)</translation>
    </message>
    <message>
        <source>Export Chart</source>
        <translation>차트 내보내기</translation>
    </message>
    <message>
        <source>PNG Images (*.png)</source>
        <translation>PNG 이미지 (*.png)</translation>
    </message>
</context>
<context>
    <name>tarsel::plotvane::CChartPage</name>
    <message>
        <source>Chart</source>
        <translation>차트</translation>
    </message>
    <message>
        <source>Cursor values</source>
        <translation>커서 값</translation>
    </message>
    <message>
        <source>Move the pointer over the chart to read the values at a sample.</source>
        <translation>차트 위로 포인터를 움직이면 샘플의 값을 읽을 수 있습니다.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>없음</translation>
    </message>
    <message>
        <source>Sample %1: %2</source>
        <translation>샘플 %1: %2</translation>
    </message>
</context>
<context>
    <name>tarsel::plotvane::CPlotvaneWindow</name>
    <message>
        <source>Charts</source>
        <translation>차트</translation>
    </message>
    <message>
        <source>Link status</source>
        <translation>연결 상태</translation>
    </message>
    <message>
        <source>Waiting for recordings.</source>
        <translation>기록을 기다리는 중입니다.</translation>
    </message>
    <message>
        <source>Not receiving recordings: %1</source>
        <translation>기록을 받지 않습니다: %1</translation>
    </message>
    <message>
        <source>Not receiving recordings.</source>
        <translation>기록을 받지 않습니다.</translation>
    </message>
    <message>
        <source>&amp;Open CSV...</source>
        <translation>CSV 열기(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save CSV...</source>
        <translation>CSV 저장(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Export PNG...</source>
        <translation>PNG 내보내기(&amp;E)...</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>확대/축소 초기화</translation>
    </message>
    <message>
        <source>&amp;Close Chart</source>
        <translation>차트 닫기(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>끝내기(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>파일(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>보기(&amp;V)</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>차트</translation>
    </message>
    <message>
        <source>Chart tools</source>
        <translation>차트 도구</translation>
    </message>
    <message>
        <source>Run %1 (%2)</source>
        <translation>실행 %1 (%2)</translation>
    </message>
    <message>
        <source>Receiving run %1...</source>
        <translation>실행 %1 받는 중...</translation>
    </message>
    <message>
        <source>Run %1 received: %2 samples.</source>
        <translation>실행 %1 받음: 샘플 %2개.</translation>
    </message>
    <message>
        <source>A sender was cut off: %1</source>
        <translation>보내는 쪽의 연결을 끊었습니다: %1</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>기록 열기</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1을(를) 열 수 없습니다: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a recording.</source>
        <translation>%1은(는) 기록으로 읽기에 너무 큽니다.</translation>
    </message>
    <message>
        <source>%1 is not a recording: %2</source>
        <translation>%1은(는) 기록 파일이 아닙니다: %2</translation>
    </message>
    <message>
        <source>Save Recording</source>
        <translation>기록 저장</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1에 쓸 수 없습니다: %2</translation>
    </message>
    <message>
        <source>Export Chart</source>
        <translation>차트 내보내기</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>%1에 쓸 수 없습니다.</translation>
    </message>
    <message>
        <source>Another Plotvane receives the recordings.</source>
        <translation>다른 Plotvane이 기록을 받고 있습니다.</translation>
    </message>
</context>
</TS>
