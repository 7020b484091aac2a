<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>CMainFrame</name>
    <message>
        <source>BLDC Parameter List</source>
        <translation>BLDC 파라미터 목록</translation>
    </message>
    <message>
        <source>Estimate Inertia Ratio</source>
        <translation>관성비 추정</translation>
    </message>
    <message>
        <source>R&amp;&amp;L Estimate</source>
        <translation>R&amp;&amp;L 추정</translation>
    </message>
    <message>
        <source>Board List</source>
        <translation>보드 목록</translation>
    </message>
    <message>
        <source>Show the Board List windows.</source>
        <translation>보드 목록 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Board List</source>
        <translation>보드 목록 보기</translation>
    </message>
    <message>
        <source>Parameter List</source>
        <translation>파라미터 목록</translation>
    </message>
    <message>
        <source>Show the Parameter List window.</source>
        <translation>파라미터 목록 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Parameter List</source>
        <translation>파라미터 목록 보기</translation>
    </message>
    <message>
        <source>Axis Parameter</source>
        <translation>축 파라미터</translation>
    </message>
    <message>
        <source>Show the Axis Parameter window.</source>
        <translation>축 파라미터 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Axis Parameter</source>
        <translation>축 파라미터 보기</translation>
    </message>
    <message>
        <source>I/O Monitor</source>
        <translation>I/O 모니터</translation>
    </message>
    <message>
        <source>Show the I/O Monitor window.</source>
        <translation>I/O 모니터 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show I/O Monitor</source>
        <translation>I/O 모니터 보기</translation>
    </message>
    <message>
        <source>I/O Setting</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Show the I/O Setting window.</source>
        <translation>I/O 설정 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show I/O Setting</source>
        <translation>I/O 설정 보기</translation>
    </message>
    <message>
        <source>Motion Test</source>
        <translation>모션 테스트</translation>
    </message>
    <message>
        <source>Show the Motion Test window.</source>
        <translation>모션 테스트 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Motion Test</source>
        <translation>모션 테스트 보기</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
    <message>
        <source>Show the Position Table window.</source>
        <translation>포지션 테이블 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Position Table</source>
        <translation>포지션 테이블 보기</translation>
    </message>
    <message>
        <source>Tarsel Tevra GUI Program for Distributor</source>
        <translation>Tarsel Tevra GUI 프로그램 (대리점용)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>파일(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>연결(&amp;C)</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Connect or disconnect the serial port</source>
        <translation>시리얼 포트를 연결하거나 연결을 끊습니다</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>끝내기(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Tuning</source>
        <translation>튜닝(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Monitoring</source>
        <translation>모니터링(&amp;M)</translation>
    </message>
    <message>
        <source>Monitoring Data</source>
        <translation>모니터링 데이터</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>보기(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>도구 모음(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>상태 표시줄(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Command Bar</source>
        <translation>명령 표시줄(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Tevra GUI...</source>
        <translation>Tevra GUI 정보(&amp;A)...</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>업데이트 확인</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>도구 모음</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>준비</translation>
    </message>
    <message>
        <source>Command Message</source>
        <translation>명령 메시지</translation>
    </message>
    <message>
        <source>Toggle CommandBar</source>
        <translation>명령 표시줄 전환</translation>
    </message>
    <message>
        <source>Show or hide the command bar</source>
        <translation>명령 표시줄을 보이거나 숨깁니다</translation>
    </message>
    <message>
        <source>BLDC Function</source>
        <translation>BLDC 기능</translation>
    </message>
    <message>
        <source>The specific function is only supported by Dorrin Tevra BLDC product.</source>
        <translation>이 기능은 Dorrin Tevra BLDC 제품에서만 지원됩니다.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Serial communication was disconnected.</source>
        <translation>시리얼 통신이 끊어졌습니다.</translation>
    </message>
</context>
<context>
    <name>Frame</name>
    <message>
        <source>This window is not available yet.</source>
        <translation>이 창은 아직 제공되지 않습니다.</translation>
    </message>
    <message>
        <source>Board List</source>
        <translation>보드 목록</translation>
    </message>
    <message>
        <source>Parameter List</source>
        <translation>파라미터 목록</translation>
    </message>
    <message>
        <source>Axis Parameter</source>
        <translation>축 파라미터</translation>
    </message>
    <message>
        <source>Motion Test</source>
        <translation>모션 테스트</translation>
    </message>
    <message>
        <source>Repeat Test</source>
        <translation>반복 테스트</translation>
    </message>
    <message>
        <source>I/O Monitoring</source>
        <translation>I/O 모니터링</translation>
    </message>
    <message>
        <source>I/O Setting</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
    <message>
        <source>BLDC Parameter</source>
        <translation>BLDC 파라미터</translation>
    </message>
</context>
<context>
    <name>Loading</name>
    <message>
        <source>Reading Parameters</source>
        <translation>파라미터 읽는 중</translation>
    </message>
    <message>
        <source>Reading I/O Mapping</source>
        <translation>I/O 매핑 읽는 중</translation>
    </message>
    <message>
        <source>Loading Position Table Data</source>
        <translation>포지션 테이블 데이터 읽는 중</translation>
    </message>
    <message>
        <source>Reading BLDC Parameters</source>
        <translation>BLDC 파라미터 읽는 중</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>읽는 중...</translation>
    </message>
</context>
<context>
    <name>Toolbar</name>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Boards</source>
        <translation>보드</translation>
    </message>
    <message>
        <source>Params</source>
        <translation>파라미터</translation>
    </message>
    <message>
        <source>Axis</source>
        <translation>축</translation>
    </message>
    <message>
        <source>I/O Mon</source>
        <translation>I/O 감시</translation>
    </message>
    <message>
        <source>I/O Set</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>테이블</translation>
    </message>
    <message>
        <source>Cmd Bar</source>
        <translation>명령줄</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CAboutDlg</name>
    <message>
        <source>About Tarsel Tevra GUI</source>
        <translation>Tarsel Tevra GUI 정보</translation>
    </message>
    <message>
        <source>Tevra GUI Version : %1 (rev.%2)</source>
        <translation>Tevra GUI 버전 : %1 (rev.%2)</translation>
    </message>
    <message>
        <source>Supported firmware version :</source>
        <translation>지원 펌웨어 버전 :</translation>
    </message>
    <message>
        <source>1) Dorrin Tevra-ST</source>
        <translation>1) Dorrin Tevra-ST</translation>
    </message>
    <message>
        <source>2) Pellin Tevra-ST</source>
        <translation>2) Pellin Tevra-ST</translation>
    </message>
    <message>
        <source>3) Dorrin Tevra-ABS</source>
        <translation>3) Dorrin Tevra-ABS</translation>
    </message>
    <message>
        <source>4) Ravelo</source>
        <translation>4) Ravelo</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CDlgConnect</name>
    <message>
        <source>Connect to Tarsel Tevra</source>
        <translation>Tarsel Tevra에 연결</translation>
    </message>
    <message>
        <source>File Ver. %1 (rev.%2)</source>
        <translation>파일 버전 %1 (rev.%2)</translation>
    </message>
    <message>
        <source>For %1</source>
        <translation>%1 용</translation>
    </message>
    <message>
        <source>Communication Port</source>
        <translation>통신 포트</translation>
    </message>
    <message>
        <source>Port No.</source>
        <translation>포트 번호</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>통신 속도</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Connection failed.
Communication Converter was NOT found.</source>
        <translation>연결하지 못했습니다.
통신 변환기를 찾을 수 없습니다.</translation>
    </message>
    <message>
        <source>No drive of Tarsel Tevra product was found.</source>
        <translation>Tarsel Tevra 제품 드라이브를 찾지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CViewBoardList</name>
    <message>
        <source>Controller List</source>
        <translation>컨트롤러 목록</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>장치 목록</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>형식</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>모터</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>파라미터</translation>
    </message>
    <message>
        <source>Parameter List</source>
        <translation>파라미터 목록</translation>
    </message>
    <message>
        <source>Axis Parameter</source>
        <translation>축 파라미터</translation>
    </message>
    <message>
        <source>I/O</source>
        <translation>I/O</translation>
    </message>
    <message>
        <source>I/O Monitor</source>
        <translation>I/O 모니터</translation>
    </message>
    <message>
        <source>I/O Setting</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message>
        <source>Motion Test</source>
        <translation>모션 테스트</translation>
    </message>
    <message>
        <source>Repeat Test</source>
        <translation>반복 테스트</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
</context>
<context>
    <name>tarsel::widgets::CProgressDlg</name>
    <message>
        <source>Progress</source>
        <translation>진행</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
</context>
<context>
    <name>tarsel::widgets::CSlaveSelector</name>
    <message>
        <source>Slave No.</source>
        <translation>슬레이브 번호</translation>
    </message>
    <message>
        <source>Previous slave</source>
        <translation>이전 슬레이브</translation>
    </message>
    <message>
        <source>Next slave</source>
        <translation>다음 슬레이브</translation>
    </message>
</context>
</TS>